// What the two player programs share: their command line and the run of the window.
//
//   --check              load the movie, print its frame count and end (no window; an
//                        error goes to stderr with exit status 1)
//   --grab FILE.png      save a picture of the window after some frames and end
//   --grab-after N       the frames played before the picture (default: one second's)
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace player {
class TMoviePlayer;
}

struct TPlayerOptions {
  bool Check = false;
  QString GrabFile;
  int GrabAfter = -1;   // frames; -1 = one second of the movie
  QStringList Others;   // arguments the program reads itself
  QString Error;        // a command line that cannot be used
};

TPlayerOptions ParsePlayerOptions(const QStringList& arguments);

// Whether the raw command line asks for --check, decided before the application exists so
// that a check runs without a display.
bool AsksForCheck(int argc, char** argv);

struct TPlayerRun {
  QString Title;          // of the window and its message boxes
  bool FullScreen = false;
  bool EndOnInput = false;
  // A window of another program to draw into, filling it (0: a window of our own).
  unsigned long EmbedInto = 0;
  // Loads the movie; errors are exceptions with the text for the user.
  std::function<void(player::TMoviePlayer&)> Load;
};

// Runs the player under the existing QApplication and returns the exit status: 0 after
// the window closes (or a check or grab succeeds), 1 when the movie cannot be played
// (told in a message box, or on stderr with --check).
int RunPlayer(const TPlayerOptions& options, const TPlayerRun& run);

// Reports a failure the way the mode asks for: stderr always, a message box unless checking.
int ReportFailure(const TPlayerOptions& options, const QString& title, const QString& message);
