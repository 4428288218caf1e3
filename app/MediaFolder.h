// The folder pictures and sounds were last chosen from, kept in the registry between runs
// ("Software\Plumeworks\Greetix\Common", value "LastOpenDir").
#pragma once

#include <QString>

// Read at start-up without creating the key; a missing key or value, or an empty one,
// gives the "library" folder beside the program.
QString LoadLastMediaFolder();

// Written when the program ends, creating the key when missing, changed or not. A registry
// that cannot be written loses the value without stopping the program's end.
void SaveLastMediaFolder(const QString& folder);
