// FlashPla.exe: the player program that converted movies are appended to. Run, it plays
// the movie at the end of its own file in a window the size of the movie's stage, titled
// after the program file.
#include "player/MoviePlayer.h"
#include "tools/projector/EmbeddedMovie.h"
#include "tools/projector/PlayerRun.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char** argv) {
  if (AsksForCheck(argc, argv))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // Arguments other than the options are left alone, as a file manager may pass some.
  const TPlayerOptions options = ParsePlayerOptions(QApplication::arguments().mid(1));
  const QFileInfo program(QCoreApplication::applicationFilePath());

  TPlayerRun run;
  run.Title = program.completeBaseName();
  run.Load = [fileName = program.fileName()](player::TMoviePlayer& moviePlayer) {
    LoadEmbeddedMovie(moviePlayer, RunningProgramFile(), fileName);
  };
  return RunPlayer(options, run);
}
