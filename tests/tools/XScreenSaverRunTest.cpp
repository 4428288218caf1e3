// "Set as screen saver" with the real xscreensaver on a virtual display: the daemon runs
// our host when it activates, the host draws the card into the daemon's window, and a key
// ends it. Skipped where Xvfb, xscreensaver, xwd or xdotool are missing.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QtEndian>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

#include "convert/ScreenSaver.h"
#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"
#include "platform/XScreenSaverPrefs.h"

namespace {

// xscreensaver runs no screen savers for root: as root the display's programs run as nobody.
QStringList AsDisplayUser(const QString& program, const QStringList& arguments) {
  if (geteuid() != 0)
    return QStringList{program} + arguments;
  return QStringList{"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups", program} + arguments;
}

bool RunQuietly(const QStringList& command, const QProcessEnvironment& environment, QByteArray* output = nullptr) {
  QProcess process;
  process.setProcessEnvironment(environment);
  process.start(command.first(), command.mid(1));
  if (!process.waitForFinished(20000)) {
    process.kill();
    process.waitForFinished();
    return false;
  }
  if (output)
    *output = process.readAllStandardOutput();
  return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The share of the screen that is not black and the number of colours on it, read from
// the X server's own picture of its root window (xwd: a header of 32-bit words, a colour
// table of 12-byte entries, then rows of 32-bit pixels on a 24-bit display).
struct TScreenLook {
  double Lit = 0;
  int Colours = 0;
};

TScreenLook LookAtScreen(const QProcessEnvironment& environment) {
  QByteArray xwd;
  if (!RunQuietly({"xwd", "-root", "-silent"}, environment, &xwd) || xwd.size() < 100)
    return {};
  auto word = [&](int index) { return qFromBigEndian<quint32>(xwd.constData() + 4 * index); };
  const quint32 headerSize = word(0), width = word(4), height = word(5), byteOrder = word(7);
  const quint32 bitsPerPixel = word(11), bytesPerLine = word(12), colourCount = word(19);
  const qint64 pixels = qint64(headerSize) + qint64(colourCount) * 12;
  if (bitsPerPixel != 32 || width == 0 || pixels + qint64(bytesPerLine) * height > xwd.size())
    return {};
  QSet<quint32> colours;
  qint64 lit = 0;
  for (quint32 y = 0; y < height; ++y)
    for (quint32 x = 0; x < width; ++x) {
      const char* at = xwd.constData() + pixels + qint64(y) * bytesPerLine + 4 * x;
      const quint32 pixel = (byteOrder == 0 ? qFromLittleEndian<quint32>(at) : qFromBigEndian<quint32>(at)) & 0xFFFFFF;
      colours.insert(pixel);
      if ((pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF) > 60)
        ++lit;
    }
  return {double(lit) / (double(width) * height), int(colours.size())};
}

bool HostRunning(const QString& hostCopy) {
  for (const QString& pid : QDir("/proc").entryList(QDir::Dirs)) {
    QFile commandLine("/proc/" + pid + "/cmdline");
    if (commandLine.open(QIODevice::ReadOnly) && commandLine.readAll().startsWith(hostCopy.toLocal8Bit() + '\0'))
      return true;
  }
  return false;
}

template <class TCondition>
bool WaitFor(TCondition condition, int milliseconds) {
  QDeadlineTimer deadline(milliseconds);
  while (!condition()) {
    if (deadline.hasExpired())
      return false;
    QThread::msleep(200);
  }
  return true;
}

// A process of the test's own, ended when the test ends.
class TOwnProcess {
public:
  ~TOwnProcess() {
    if (Process.state() == QProcess::NotRunning)
      return;
    Process.terminate();
    if (!Process.waitForFinished(5000)) {
      Process.kill();
      Process.waitForFinished();
    }
  }
  QProcess Process;
};

// A virtual display with the xscreensaver daemon of the test's home folder on it.
struct TXSession {
  TOwnProcess Display;
  TOwnProcess Daemon;
  QProcessEnvironment Environment;

  bool Start(const QString& home, std::string& why) {
    Display.Process.start("Xvfb", {"-displayfd", "1", "-screen", "0", "640x480x24", "-nolisten", "tcp"});
    if (!WaitFor([&] { Display.Process.waitForReadyRead(100); return Display.Process.canReadLine(); }, 20000)) {
      why = "Xvfb did not start";
      return false;
    }
    const QString displayName = ":" + QString::fromLatin1(Display.Process.readLine()).trimmed();
    Environment = QProcessEnvironment::systemEnvironment();
    Environment.remove("QT_QPA_PLATFORM");
    Environment.remove("XDG_RUNTIME_DIR");
    Environment.remove("XAUTHORITY");
    Environment.insert("DISPLAY", displayName);
    Environment.insert("HOME", home);
    Environment.insert("SDL_AUDIODRIVER", "dummy");

    Daemon.Process.setProcessEnvironment(Environment);
    Daemon.Process.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList start = AsDisplayUser("xscreensaver", {"-no-splash", "-verbose"});
    Daemon.Process.start(start.first(), start.mid(1));
    const QStringList command = AsDisplayUser("xscreensaver-command", {"-time"});
    if (WaitFor([&] { return RunQuietly(command, Environment); }, 12000))
      return true;
    Daemon.Process.waitForReadyRead(100);
    why = "xscreensaver did not start on " + displayName.toStdString() + ": " +
          QString::fromLocal8Bit(Daemon.Process.readAll()).toStdString();
    return false;
  }
};

} // namespace

TEST(XScreenSaverRunTest, TheCardPlaysWhenXScreenSaverActivatesAndAKeyEndsIt) {
  for (const char* program : {"Xvfb", "xscreensaver", "xscreensaver-command", "xwd", "xdotool", "setpriv"})
    if (QStandardPaths::findExecutable(program).isEmpty())
      GTEST_SKIP() << program << " is not installed";

  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  // The display's user must reach the home folder inside.
  QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                           QFileDevice::ExeGroup | QFileDevice::ExeOther);
  const QString home = folder.filePath("home");
  ASSERT_TRUE(QDir().mkpath(home));
  const QString movie = folder.filePath("birthday.swf");
  ASSERT_EQ(QProcess::execute(GREETIX_CLI, {"render", QStringLiteral(GREETIX_SOURCE_DIR "/template/birthday.grx"),
                                            "-o", movie}),
            0);

  // The daemon runs already, as in the user's session: it reads the registration when it
  // activates.
  if (geteuid() == 0)
    ASSERT_EQ(QProcess::execute("chown", {"nobody:nogroup", home}), 0);
  std::unique_ptr<TXSession> session;
  std::string why;
  // The daemon now and then hangs while it starts on a busy machine: a fresh display and
  // daemon are given a second chance before the test gives up.
  for (int attempt = 0; attempt < 3 && !session; ++attempt) {
    session = std::make_unique<TXSession>();
    if (!session->Start(home, why)) {
      std::fprintf(stderr, "xscreensaver session, attempt %d: %s\n", attempt + 1, why.c_str());
      session.reset();
    }
  }
  ASSERT_TRUE(session) << why;
  const QProcessEnvironment& environment = session->Environment;

  Platform::SetSystemFolder(home + "/system");
  Platform::SetXScreenSaverFile(home + "/.xscreensaver");
  Platform::SetScreenSaverSettingsCommand({});
  Platform::TRegistry::SetFileName(folder.filePath("Registry.ini"));
  const TScreenSaverResult result = SetAsScreenSaver(movie, QStringLiteral(GREETIX_SCREENSAVER));
  Platform::SetSystemFolder({});
  Platform::SetXScreenSaverFile({});
  Platform::ResetScreenSaverSettingsCommand();
  Platform::TRegistry::SetFileName({});
  ASSERT_TRUE(result.XScreenSaverSelected) << result.Message.toStdString();
  if (geteuid() == 0)
    ASSERT_EQ(QProcess::execute("chown", {"-R", "nobody:nogroup", home}), 0);

  const QString hostCopy = home + "/system/GlimmerScr.scr";
  EXPECT_LT(LookAtScreen(environment).Lit, 0.01) << "the empty display is black";
  ASSERT_TRUE(RunQuietly(AsDisplayUser("xscreensaver-command", {"-activate"}), environment));
  ASSERT_TRUE(WaitFor([&] { return HostRunning(hostCopy); }, 30000)) << "xscreensaver did not start the host";
  // The card's background, balloons and texts: most of the screen lit, in many colours.
  TScreenLook look;
  EXPECT_TRUE(WaitFor([&] { look = LookAtScreen(environment); return look.Lit > 0.9 && look.Colours > 500; }, 30000))
      << "lit " << look.Lit << ", colours " << look.Colours;

  ASSERT_TRUE(RunQuietly({"xdotool", "key", "space"}, environment));
  EXPECT_TRUE(WaitFor([&] { return !HostRunning(hostCopy); }, 20000)) << "a key did not end the screen saver";
}
