#include "ConvertTestFiles.h"

#include "convert/ScreenSaver.h"
#include "platform/Desktop.h"
#include "platform/PlatformError.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"
#include "platform/XScreenSaverPrefs.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

using namespace Platform;

namespace {

class ScreenSaverTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    System = Folder.filePath("system");
    SetSystemFolder(System);
    TRegistry::SetFileName(Folder.filePath("Registry.ini"));
    Marker = Folder.filePath("settings opened");
    SetScreenSaverSettingsCommand(QStringLiteral("/bin/sh -c \"echo opened >> '%1'\"").arg(Marker));
    Host = Folder.filePath("GlimmerScr.dll");
    Movie = Folder.filePath("Untitled.swf");
    ASSERT_TRUE(WriteFile(Host, "host program"));
    ASSERT_TRUE(QFile::setPermissions(Host, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner));
    ASSERT_TRUE(WriteFile(Movie, "first movie"));
    HostCopy = System + "/GlimmerScr.scr";
    Prefs = Folder.filePath(".xscreensaver");
    SetXScreenSaverFile(Prefs);
  }
  void TearDown() override {
    SetSystemFolder({});
    TRegistry::SetFileName({});
    ResetScreenSaverSettingsCommand();
    SetXScreenSaverFile({});
  }

  QString Registered() const { return TRegistry::Read(DesktopKey, ScreenSaverValue); }
  bool SettingsOpened() const {
    QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(Marker) && !deadline.hasExpired())
      QThread::msleep(10);
    return QFileInfo::exists(Marker);
  }

  QTemporaryDir Folder;
  QString System, Marker, Host, Movie, HostCopy, Prefs;
};

} // namespace

TEST_F(ScreenSaverTest, AFirstInstallationCopiesRegistersAndOpensTheSettings) {
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  EXPECT_TRUE(result.MovieCopied);
  EXPECT_TRUE(result.HostCopied);
  EXPECT_TRUE(result.Registered);
  EXPECT_TRUE(result.Broadcast);
  EXPECT_TRUE(result.SettingsOpened);
  EXPECT_EQ(ReadFile(System + "/GlimmerScr.swf"), "first movie");
  EXPECT_EQ(ReadFile(HostCopy), "host program");
  EXPECT_TRUE(QFile::permissions(HostCopy) & QFileDevice::ExeOwner);
  EXPECT_EQ(Registered(), HostCopy);
  EXPECT_TRUE(SettingsOpened());
}

TEST_F(ScreenSaverTest, TheHostAlreadyRegisteredInAnotherCaseIsLeftAlone) {
  TRegistry::Write(DesktopKey, ScreenSaverValue, HostCopy.toUpper());
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  EXPECT_FALSE(result.Registered);
  EXPECT_FALSE(result.Broadcast);
  EXPECT_EQ(Registered(), HostCopy.toUpper());
  EXPECT_EQ(ReadFile(System + "/GlimmerScr.swf"), "first movie");
  EXPECT_TRUE(SettingsOpened());
}

TEST_F(ScreenSaverTest, AnotherSaverIsReplacedAndALaterRunShowsTheNewerMovie) {
  TRegistry::Write(DesktopKey, ScreenSaverValue, "/usr/lib/savers/stars.scr");
  TRegistry::Write(CommonKey, LastOpenDirValue, "/home/me/cards");
  SetAsScreenSaver(Movie, Host);
  EXPECT_EQ(Registered(), HostCopy);

  ASSERT_TRUE(WriteFile(Movie, "second movie"));
  ASSERT_TRUE(WriteFile(Host, "newer host"));
  const TScreenSaverResult again = SetAsScreenSaver(Movie, Host);
  EXPECT_FALSE(again.Registered);
  EXPECT_EQ(ReadFile(System + "/GlimmerScr.swf"), "second movie");
  EXPECT_EQ(ReadFile(HostCopy), "newer host");
  // Other values of the registry are not disturbed.
  EXPECT_EQ(TRegistry::Read(CommonKey, LastOpenDirValue), "/home/me/cards");
}

TEST_F(ScreenSaverTest, AnUnwritableSystemFolderOnlyOpensTheSettings) {
  ASSERT_TRUE(WriteFile(Folder.filePath("plain file"), "x"));
  SetSystemFolder(Folder.filePath("plain file/system"));
  TRegistry::Write(DesktopKey, ScreenSaverValue, "/usr/lib/savers/stars.scr");
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  EXPECT_FALSE(result.MovieCopied);
  EXPECT_FALSE(result.HostCopied);
  EXPECT_FALSE(result.Registered);
  EXPECT_TRUE(result.HostShortName.isEmpty());
  EXPECT_EQ(Registered(), "/usr/lib/savers/stars.scr");
  EXPECT_TRUE(SettingsOpened());
}

TEST_F(ScreenSaverTest, AMissingMovieOrHostStillRegistersAnEarlierInstallation) {
  SetAsScreenSaver(Movie, Host);
  TRegistry::Write(DesktopKey, ScreenSaverValue, "/usr/lib/savers/stars.scr");
  const TScreenSaverResult result = SetAsScreenSaver("", Folder.filePath("missing.dll"));
  EXPECT_FALSE(result.MovieCopied);
  EXPECT_FALSE(result.HostCopied);
  EXPECT_TRUE(result.Registered);
  EXPECT_EQ(ReadFile(HostCopy), "host program");
  EXPECT_EQ(Registered(), HostCopy);
}

TEST_F(ScreenSaverTest, ARegistryThatCannotBeWrittenStopsBeforeTheSettings) {
  ASSERT_TRUE(WriteFile(Folder.filePath("plain file"), "x"));
  TRegistry::SetFileName(Folder.filePath("plain file/Registry.ini"));
  EXPECT_THROW(SetAsScreenSaver(Movie, Host), TPlatformError);
  EXPECT_FALSE(QFileInfo::exists(Marker));
}

TEST_F(ScreenSaverTest, XScreenSaverGetsTheHostAsItsOneSelectedProgram) {
  ASSERT_TRUE(WriteFile(Prefs, "timeout:\t0:01:00\nprograms:\tmaze --root\n"));
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  EXPECT_TRUE(result.XScreenSaverSelected);
  EXPECT_TRUE(result.Message.isEmpty()) << result.Message.toStdString();
  const QString prefs = ReadFile(Prefs);
  EXPECT_TRUE(prefs.contains("timeout:\t0:01:00"));
  EXPECT_TRUE(prefs.contains("maze --root"));
  EXPECT_TRUE(prefs.contains("\"Greetix card\" " + HostCopy + " --root")) << prefs.toStdString();
  EXPECT_TRUE(prefs.contains("selected:\t1"));
  EXPECT_EQ(ReadFile(Prefs + ".bak"), "timeout:\t0:01:00\nprograms:\tmaze --root\n");
  EXPECT_TRUE(SettingsOpened());
}

TEST_F(ScreenSaverTest, WithoutXScreenSaverTheMessageSaysHowToShowTheCard) {
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", Folder.path().toUtf8());
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  qputenv("PATH", path);
  EXPECT_FALSE(result.XScreenSaverSelected);
  EXPECT_TRUE(result.Message.contains("xscreensaver")) << result.Message.toStdString();
  EXPECT_TRUE(result.Message.contains(System + "/GlimmerScr.swf"));
  EXPECT_TRUE(result.Message.contains(XScreenSaverCommand(HostCopy)));
  EXPECT_FALSE(QFileInfo::exists(Prefs));
  EXPECT_EQ(Registered(), HostCopy);
}

TEST_F(ScreenSaverTest, AReadOnlyXScreenSaverFileIsKeptAndTheMessageGivesTheProgram) {
  ASSERT_TRUE(WriteFile(Prefs, "mode:\trandom\n"));
  ASSERT_TRUE(QFile::setPermissions(Prefs, QFileDevice::ReadOwner));
  const TScreenSaverResult result = SetAsScreenSaver(Movie, Host);
  EXPECT_FALSE(result.XScreenSaverSelected);
  EXPECT_TRUE(result.Message.contains("read-only")) << result.Message.toStdString();
  EXPECT_TRUE(result.Message.contains(XScreenSaverCommand(HostCopy)));
  EXPECT_EQ(ReadFile(Prefs), "mode:\trandom\n");
}

TEST(XScreenSaverCommandTest, APathWithBlanksOrQuotesIsQuotedForTheShell) {
  EXPECT_EQ(XScreenSaverCommand("/home/ann/.local/share/Greetix/system/GlimmerScr.scr"),
            "/home/ann/.local/share/Greetix/system/GlimmerScr.scr --root");
  EXPECT_EQ(XScreenSaverCommand("/home/Ann Lee/it's/GlimmerScr.scr"),
            "'/home/Ann Lee/it'\\''s/GlimmerScr.scr' --root");
}
