// The insert commands shared by the library's popup menu and the main window's Insert Text,
// Insert Picture and Insert Sound buttons.
#pragma once

#include <string>

// Adds a new object of `kind` ("Text", "Pic", "Sound") through the current editing object
// of that kind (its AddNew names it, appends it, saves and selects it in the library), then
// renders the card again. Nothing happens without a host or an editing object of that kind.
void InsertObject(const std::string& kind);
