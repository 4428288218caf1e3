#include "platform/XScreenSaverPrefs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Platform;

namespace {

// A file as xscreensaver's settings program writes it.
const QString UserPrefs = QStringLiteral(
    "# XScreenSaver Preferences File\n"
    "timeout:\t0:10:00\n"
    "lock:\t\tTrue\n"
    "mode:\t\trandom\n"
    "selected:\t-1\n"
    "\n"
    "programs:\t\t\t\t\t\t\t\t      \\\n"
    "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
    "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
    "  \"Qix (solid)\" \tqix --root -solid\t\t    \\n\n"
    "\n"
    "pointerHysteresis: 10\n");

const QString Ours = QStringLiteral("\"Greetix card\" /home/u/sys/GlimmerScr.scr --root");
const QString Marker = QStringLiteral("GlimmerScr.scr");

QString ValueLine(const QString& text, const QString& name) {
  for (const QString& line : text.split('\n'))
    if (line.startsWith(name + ':'))
      return line.mid(name.size() + 1).trimmed();
  return "<none>";
}

QStringList ProgramsOf(const QString& text) {
  const qsizetype start = text.indexOf("programs:");
  if (start < 0)
    return {};
  QString value;
  for (const QString& line : text.mid(start + 9).split('\n')) {
    value += line.endsWith('\\') ? line.chopped(1) : line;
    if (!line.endsWith('\\'))
      break;
  }
  return ParseXScreenSaverPrograms(value);
}

QByteArray ReadAll(const QString& name) {
  QFile file(name);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& name, const QByteArray& bytes) {
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

} // namespace

TEST(XScreenSaverPrefsTest, OurEntryIsAddedAndSelectedAndEverythingElseStays) {
  const TXScreenSaverPrefsEdit edit = SelectXScreenSaverProgram(UserPrefs, Ours, Marker, {});
  EXPECT_TRUE(edit.Changed);
  EXPECT_EQ(edit.Selected, 3);
  EXPECT_EQ(ProgramsOf(edit.Text),
            (QStringList{"maze --root", "- GL: \t\t\t\tsuperquadrics --root", "\"Qix (solid)\" \tqix --root -solid", Ours}));
  EXPECT_EQ(ValueLine(edit.Text, "mode"), "one");
  EXPECT_EQ(ValueLine(edit.Text, "selected"), "3");
  for (const char* kept : {"# XScreenSaver Preferences File", "timeout:\t0:10:00", "lock:\t\tTrue", "pointerHysteresis: 10"})
    EXPECT_TRUE(edit.Text.contains(kept)) << kept;

  // Once there and selected, nothing more changes.
  const TXScreenSaverPrefsEdit again = SelectXScreenSaverProgram(edit.Text, Ours, Marker, {});
  EXPECT_FALSE(again.Changed);
  EXPECT_EQ(again.Text, edit.Text);
}

TEST(XScreenSaverPrefsTest, AnEarlierOrSwitchedOffEntryOfOursIsReplacedInPlace) {
  QString prefs = UserPrefs;
  prefs.replace("- GL: \t\t\t\tsuperquadrics --root", "- \"Greetix card\" /old/place/GlimmerScr.scr --root");
  const TXScreenSaverPrefsEdit edit = SelectXScreenSaverProgram(prefs, Ours, Marker, {});
  EXPECT_EQ(edit.Selected, 1);
  EXPECT_EQ(ProgramsOf(edit.Text), (QStringList{"maze --root", Ours, "\"Qix (solid)\" \tqix --root -solid"}));
  EXPECT_EQ(ValueLine(edit.Text, "selected"), "1");
}

TEST(XScreenSaverPrefsTest, WithoutAProgramListTheSystemListIsKept) {
  const QStringList defaults{"maze --root", "- GL: gears --root"};
  const TXScreenSaverPrefsEdit fromNothing = SelectXScreenSaverProgram({}, Ours, Marker, defaults);
  EXPECT_EQ(ProgramsOf(fromNothing.Text), (QStringList{"maze --root", "- GL: gears --root", Ours}));
  EXPECT_EQ(ValueLine(fromNothing.Text, "selected"), "2");

  const TXScreenSaverPrefsEdit noList = SelectXScreenSaverProgram("timeout:\t0:05:00\n", Ours, Marker, defaults);
  EXPECT_EQ(ValueLine(noList.Text, "timeout"), "0:05:00");
  EXPECT_EQ(ProgramsOf(noList.Text).size(), 3);
}

class XScreenSaverFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    File = Folder.filePath(".xscreensaver");
    SetXScreenSaverFile(File);
  }
  void TearDown() override { SetXScreenSaverFile({}); }
  TXScreenSaverRegistration Register() {
    return RegisterXScreenSaverProgram("Greetix card", "/home/u/sys/GlimmerScr.scr --root", Marker);
  }
  QTemporaryDir Folder;
  QString File;
};

TEST_F(XScreenSaverFileTest, AMissingFileIsMadeWithoutABackup) {
  const TXScreenSaverRegistration result = Register();
  EXPECT_EQ(result.Outcome, TXScreenSaverOutcome::Registered) << result.Error.toStdString();
  EXPECT_TRUE(result.BackupFile.isEmpty());
  EXPECT_TRUE(ProgramsOf(QString::fromUtf8(ReadAll(File))).contains(Ours));
  EXPECT_EQ(QDir(Folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{".xscreensaver"});
}

TEST_F(XScreenSaverFileTest, TheOldFileIsKeptAsBackupAndASecondRunWritesNothing) {
  WriteAll(File, UserPrefs.toUtf8());
  const TXScreenSaverRegistration result = Register();
  ASSERT_EQ(result.Outcome, TXScreenSaverOutcome::Registered) << result.Error.toStdString();
  EXPECT_EQ(result.BackupFile, File + ".bak");
  EXPECT_EQ(ReadAll(File + ".bak"), UserPrefs.toUtf8());
  EXPECT_EQ(ProgramsOf(QString::fromUtf8(ReadAll(File))).size(), 4);

  const QByteArray registered = ReadAll(File);
  EXPECT_EQ(Register().Outcome, TXScreenSaverOutcome::AlreadyRegistered);
  EXPECT_EQ(ReadAll(File), registered);
  EXPECT_EQ(ReadAll(File + ".bak"), UserPrefs.toUtf8());
}

TEST_F(XScreenSaverFileTest, AReadOnlyFileIsLeftAlone) {
  WriteAll(File, UserPrefs.toUtf8());
  ASSERT_TRUE(QFile::setPermissions(File, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
  EXPECT_EQ(Register().Outcome, TXScreenSaverOutcome::ReadOnly);
  EXPECT_EQ(ReadAll(File), UserPrefs.toUtf8());
  EXPECT_FALSE(QFile::exists(File + ".bak"));
}

TEST_F(XScreenSaverFileTest, ALinkedFileIsChangedWhereItLies) {
  const QString kept = Folder.filePath("dotfiles-xscreensaver");
  WriteAll(kept, UserPrefs.toUtf8());
  ASSERT_TRUE(QFile::link(kept, File));
  ASSERT_EQ(Register().Outcome, TXScreenSaverOutcome::Registered);
  EXPECT_TRUE(QFileInfo(File).isSymLink());
  EXPECT_TRUE(ProgramsOf(QString::fromUtf8(ReadAll(kept))).contains(Ours));
}
