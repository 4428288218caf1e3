// GlimmerScr.dll: the screen-saver host. Installed in the system folder as
// "GlimmerScr.scr", it plays "GlimmerScr.swf" from that folder full screen and ends at the
// first key, click or mouse movement. A movie named on the command line plays instead.
//
// The switches a screen-saver launcher passes are understood: "/s" runs; "/p" (a preview
// inside another window) and "/c" (settings: there are none) end at once. Started by
// xscreensaver (or with -window-id N) it draws into the window it is given.
#include "convert/ScreenSaver.h"
#include "platform/SystemPaths.h"
#include "player/MoviePlayer.h"
#include "swf/format/SwfError.h"
#include "tools/projector/HostWindow.h"
#include "tools/projector/PlayerRun.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

namespace {

// "/s", "/p 1234", "/c:1234" and the like, in any letter case.
QChar LauncherSwitch(const QString& argument) {
  if (argument.size() < 2 || argument[0] != QLatin1Char('/'))
    return {};
  if (argument.size() > 2 && argument[2] != QLatin1Char(':'))
    return {};
  const QChar letter = argument[1].toLower();
  return QStringLiteral("spc").contains(letter) ? letter : QChar();
}

void LoadScreenSaverMovie(player::TMoviePlayer& moviePlayer, const QString& movie) {
  if (!QFileInfo(movie).isFile())
    throw std::runtime_error(
        QStringLiteral("The screen saver has no movie to play: \"%1\" does not exist.\n"
                       "Set a card as screen saver to give it one.")
            .arg(QDir::toNativeSeparators(movie))
            .toStdString());
  try {
    moviePlayer.LoadFile(movie.toStdString(), true);
  } catch (const swf::TSwfError& error) {
    throw std::runtime_error(QStringLiteral("The screen-saver movie \"%1\" cannot be played. %2")
                                 .arg(QDir::toNativeSeparators(movie), QString::fromUtf8(error.what()))
                                 .toStdString());
  }
}

} // namespace

int main(int argc, char** argv) {
  // Decided before the application exists: a preview request may come with no display.
  for (int i = 1; i < argc; ++i) {
    const QChar launcherSwitch = LauncherSwitch(QString::fromLocal8Bit(argv[i]));
    if (launcherSwitch == QLatin1Char('p') || launcherSwitch == QLatin1Char('c'))
      return 0;
  }
  if (AsksForCheck(argc, argv))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const THostWindow window =
      TakeHostWindow(QApplication::arguments().mid(1), qEnvironmentVariable("XSCREENSAVER_WINDOW"));
  TPlayerOptions options = ParsePlayerOptions(window.Rest);
  if (options.Error.isEmpty())
    options.Error = window.Error;

  // Installed, the host lies in the system folder beside its movie.
  QString movie = QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(ScreenSaverMovieName);
  if (!QFileInfo::exists(movie))
    movie = Platform::SystemFolder() + QLatin1Char('/') + QLatin1String(ScreenSaverMovieName);
  for (const QString& argument : options.Others)
    if (LauncherSwitch(argument).isNull())
      movie = argument;

  TPlayerRun run;
  run.Title = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  run.FullScreen = true;
  // In a window handed to us, the screen saver that made it watches the keys and the mouse.
  run.EmbedInto = window.WindowId.value_or(0);
  run.EndOnInput = run.EmbedInto == 0;
  run.Load = [movie](player::TMoviePlayer& moviePlayer) { LoadScreenSaverMovie(moviePlayer, movie); };
  return RunPlayer(options, run);
}
