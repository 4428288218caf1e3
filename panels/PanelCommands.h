// How the panels run their handlers. A command (a click, Enter, a choice in a list) shows
// an error in the standard error box and the program goes on; a timer's apply swallows it.
#pragma once

#include <functional>

class QWidget;

// Runs `command`; an exception is shown in an error box over `parent`.
void RunPanelCommand(QWidget* parent, const std::function<void()>& command);
// Runs `step`; an exception is dropped.
void RunQuietly(const std::function<void()>& step);
