#include "tools/projector/EmbeddedMovie.h"

#include "convert/EmbeddedMovieFile.h"
#include "convert/ProjectorFile.h"
#include "player/MoviePlayer.h"
#include "swf/format/SwfError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <stdexcept>

QString RunningProgramFile() {
  // The kernel's link names the very file that runs, even after a rename.
  const QString self = QStringLiteral("/proc/self/exe");
  return QFileInfo::exists(self) ? self : QCoreApplication::applicationFilePath();
}

QString NoMovieMessage(const QString& programName) {
  return QStringLiteral("\"%1\" carries no movie to play.\n"
                        "A SWF movie becomes a program that plays it with \"Convert SWF to EXE\".")
      .arg(programName);
}

void LoadEmbeddedMovie(player::TMoviePlayer& player, const QString& programFile,
                       const QString& programName) {
  try {
    // The reader keeps its own copy of the movie: the mapping ends with this block.
    const TEmbeddedMovieFile movie(programFile);
    player.LoadBytes(movie.Bytes(), true);
  } catch (const TUnknownExecutableError&) {
    throw std::runtime_error(NoMovieMessage(programName).toStdString());
  } catch (const swf::TSwfError& error) {
    throw std::runtime_error(QStringLiteral("The movie in \"%1\" cannot be played. %2")
                                 .arg(programName, QString::fromUtf8(error.what()))
                                 .toStdString());
  }
}
