// What the program asks of the desktop: start programs, open documents, announce changes.
#pragma once

#include <QString>
#include <functional>

namespace Platform {

// Starts a program from a command line (words split as a shell would, no shell run) and
// does not wait for it. False when the line is empty or the program cannot start.
bool RunCommandLine(const QString& commandLine);

// Opens a document, folder or web address with the desktop's chosen program.
bool ShellOpen(const QString& documentOrUrl);
// The same, and `failed` is called (on this thread, from the event loop) when no program
// could be started for it: the opener is missing, or it gives up soon after it starts, as
// xdg-open does when it finds no browser. An opener that ends much later was showing it.
void ShellOpenWatched(const QString& documentOrUrl, std::function<void()> failed);
// The program that opens documents ("xdg-open"); tests put one of their own.
void SetDocumentOpener(const QString& program);

// Tells the desktop that its settings changed. This desktop has no such announcement;
// whoever keeps screen-saver settings reads them when it needs them.
void BroadcastSettingsChange();

// The command that opens the desktop's screen-saver settings. Chosen in this order:
// SetScreenSaverSettingsCommand (an empty text means none), GREETIX_SCREENSAVER_SETTINGS,
// then the first settings program found on PATH. Empty when there is none.
QString ScreenSaverSettingsCommand();
void SetScreenSaverSettingsCommand(const QString& commandLine);
void ResetScreenSaverSettingsCommand();

} // namespace Platform
