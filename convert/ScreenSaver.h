// Installing the movie in the preview as the current user's screen saver.
//
// The movie and the screen-saver host are copied into the system folder under fixed names,
// the host is registered as the screen saver (registry value "SCRNSAVE.EXE" under
// "Control Panel\Desktop"), and the desktop's screen-saver settings open so the user can
// confirm. The host, installed as "GlimmerScr.scr", plays "GlimmerScr.swf" beside it.
#pragma once

#include <QString>

inline constexpr const char* ScreenSaverMovieName = "GlimmerScr.swf";
inline constexpr const char* ScreenSaverHostName = "GlimmerScr.dll";
inline constexpr const char* ScreenSaverHostCopyName = "GlimmerScr.scr";

// What one installation did, for the caller's and the tests' information.
struct TScreenSaverResult {
  bool MovieCopied = false;
  bool HostCopied = false;
  bool Registered = false;      // "SCRNSAVE.EXE" was (re)written
  bool Broadcast = false;       // the settings change was announced
  bool SettingsOpened = false;  // the settings command started
  QString HostShortName;        // the path registered; empty when no host copy exists
  bool XScreenSaverSelected = false;  // ~/.xscreensaver names the host and selects it
  QString Message;              // what the user must do to see the card; empty when nothing
};

// The host shipped beside the program.
QString ScreenSaverHostSource();

// The command xscreensaver runs for the host installed at hostCopy.
QString XScreenSaverCommand(const QString& hostCopy);

// Copies movieFile and hostFile into the system folder, registers the host unless the
// registry already names it (in any letter case), registers and selects it with
// xscreensaver, and opens the screen-saver settings in every case. Failed copies are not
// reported; a registry that cannot be written throws TPlatformError before the settings
// open. Where xscreensaver is missing or its settings cannot be changed, Message tells
// the user how to show the card.
TScreenSaverResult SetAsScreenSaver(const QString& movieFile, const QString& hostFile);
