// The player programs run as the user runs them: a converted card finds its movie through
// the trailer, the bare projector and the screen-saver host say what is missing.
#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "ProjectorMovies.h"
#include "convert/ProjectorFile.h"
#include "convert/ScreenSaver.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"
#include "platform/XScreenSaverPrefs.h"

namespace {

struct TRun {
  int Status = -1;
  QString Out;
  QString Err;
};

TRun RunProgram(const QString& program, const QStringList& arguments, const QString& systemFolder = {}) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("SDL_AUDIODRIVER", "dummy");
  if (!systemFolder.isEmpty())
    environment.insert("GREETIX_SYSTEM_DIR", systemFolder);
  process.setProcessEnvironment(environment);
  process.start(program, arguments);
  if (!process.waitForFinished(60000)) {
    process.kill();
    process.waitForFinished();
    return {};
  }
  return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
          QString::fromLocal8Bit(process.readAllStandardOutput()),
          QString::fromLocal8Bit(process.readAllStandardError())};
}

const QString Projector = QStringLiteral(GREETIX_PROJECTOR);
const QString ScreenSaverHost = QStringLiteral(GREETIX_SCREENSAVER);

int CountPixels(const QImage& image, const QColor& colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      count += image.pixelColor(x, y).rgb() == colour.rgb();
  return count;
}

} // namespace

TEST(ProjectorProgram, ConvertedCardFindsItsMovieAndShowsIt) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString swf = folder.filePath("card.swf");
  WriteCardMovie(swf);
  const QString exe = folder.filePath("birthday.exe");
  // The projector the editor converts with is the one built beside it.
  ASSERT_EQ(QFileInfo(ProjectorPath()).canonicalFilePath(), QFileInfo(Projector).canonicalFilePath());
  SwfToExe(ProjectorPath(), swf, exe);

  const TRun check = RunProgram(exe, {"--check"});
  EXPECT_EQ(check.Status, 0) << check.Err.toStdString();
  EXPECT_EQ(check.Out.trimmed(), "30");

  // The window is the stage's size and shows the card: blue ground, red letters.
  const QString png = folder.filePath("shot.png");
  const TRun grab = RunProgram(exe, {"--grab", png, "--grab-after", "2"});
  ASSERT_EQ(grab.Status, 0) << grab.Err.toStdString();
  const QImage shot(png);
  ASSERT_EQ(shot.size(), QSize(200, 100));
  EXPECT_EQ(shot.pixelColor(2, 2).rgb(), CardBackground.rgb());
  EXPECT_EQ(shot.pixelColor(197, 97).rgb(), CardBackground.rgb());
  EXPECT_GT(CountPixels(shot, CardText), 300);

  // Converting the program once more (a card of a card) still finds the newest movie.
  const QString again = folder.filePath("again.exe");
  WriteStoppingMovie(swf);
  SwfToExe(exe, swf, again);
  EXPECT_EQ(RunProgram(again, {"--check"}).Out.trimmed(), "5");
}

TEST(ProjectorProgram, WithoutAPlayableMovieItSaysWhy) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());

  const TRun bare = RunProgram(Projector, {"--check"});
  EXPECT_EQ(bare.Status, 1);
  EXPECT_TRUE(bare.Err.contains("no movie")) << bare.Err.toStdString();
  EXPECT_TRUE(bare.Out.isEmpty());

  // A trailer around bytes that are no movie, and one of length 0.
  const QString junk = folder.filePath("junk.swf");
  QFile file(junk);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("this is not a movie at all");
  file.close();
  const QString junkExe = folder.filePath("junk.exe");
  SwfToExe(Projector, junk, junkExe);
  const TRun broken = RunProgram(junkExe, {"--check"});
  EXPECT_EQ(broken.Status, 1);
  EXPECT_TRUE(broken.Err.contains("cannot be played")) << broken.Err.toStdString();

  ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.close();
  SwfToExe(Projector, junk, junkExe);
  EXPECT_EQ(RunProgram(junkExe, {"--check"}).Status, 1);

  EXPECT_EQ(RunProgram(Projector, {"--check", "--grab"}).Status, 1);
}

TEST(ScreenSaverHostProgram, PlaysTheInstalledMovieOrTheOneNamed) {
  QTemporaryDir system;
  ASSERT_TRUE(system.isValid());

  const TRun none = RunProgram(ScreenSaverHost, {"--check", "/s"}, system.path());
  EXPECT_EQ(none.Status, 1);
  EXPECT_TRUE(none.Err.contains("no movie")) << none.Err.toStdString();
  EXPECT_TRUE(none.Err.contains("GlimmerScr.swf")) << none.Err.toStdString();

  WriteCardMovie(system.filePath("GlimmerScr.swf"));
  const TRun installed = RunProgram(ScreenSaverHost, {"/s", "--check"}, system.path());
  EXPECT_EQ(installed.Status, 0) << installed.Err.toStdString();
  EXPECT_EQ(installed.Out.trimmed(), "30");

  const QString other = system.filePath("other.swf");
  WriteStoppingMovie(other);
  EXPECT_EQ(RunProgram(ScreenSaverHost, {"--check", other}, system.path()).Out.trimmed(), "5");

  // A preview inside another window and the settings request end at once, quietly.
  const TRun preview = RunProgram(ScreenSaverHost, {"/p", "1234"}, system.path());
  EXPECT_EQ(preview.Status, 0);
  EXPECT_EQ(RunProgram(ScreenSaverHost, {"/c:99"}, system.path()).Status, 0);

  // Full screen, the whole screen shows the movie's ground around the stage.
  const QString png = system.filePath("saver.png");
  ASSERT_EQ(RunProgram(ScreenSaverHost, {"--grab", png, "--grab-after", "1"}, system.path()).Status, 0);
  const QImage shot(png);
  EXPECT_GT(shot.width(), 200);
  EXPECT_EQ(shot.pixelColor(0, 0).rgb(), CardBackground.rgb());
  EXPECT_GT(CountPixels(shot, CardText), 300);
}

TEST(ScreenSaverHostProgram, TheInstalledCopyPlaysTheInstalledMovie) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const QString system = folder.filePath("system");
  Platform::SetSystemFolder(system);
  Platform::SetXScreenSaverFile(system + "/.xscreensaver");
  Platform::TRegistry::SetFileName(folder.filePath("Registry.ini"));
  Platform::SetScreenSaverSettingsCommand({});
  const QString card = folder.filePath("Untitled.swf");
  WriteCardMovie(card);

  const TScreenSaverResult result = SetAsScreenSaver(card, ScreenSaverHostSource());
  Platform::SetSystemFolder({});
  Platform::SetXScreenSaverFile({});
  Platform::TRegistry::SetFileName({});
  Platform::ResetScreenSaverSettingsCommand();
  ASSERT_TRUE(result.HostCopied);
  ASSERT_TRUE(result.MovieCopied);
  EXPECT_TRUE(result.Registered);

  // What the desktop would start: the registered host copy, with the launcher's switch.
  const TRun installed = RunProgram(result.HostShortName, {"/s", "--check"}, system);
  EXPECT_EQ(installed.Status, 0) << installed.Err.toStdString();
  EXPECT_EQ(installed.Out.trimmed(), "30");
}
