#include "platform/Desktop.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <memory>
#include <optional>

namespace Platform {

namespace {

QString& DocumentOpener() {
  static QString opener = QStringLiteral("xdg-open");
  return opener;
}

// An opener that ends with a failure after this long had started a program: what ended
// was that program.
constexpr qint64 OpenerGiveUpMs = 5000;

std::optional<QString>& SettingsCommandOverride() {
  static std::optional<QString> command;
  return command;
}

// Screen-saver settings programs of the common desktops, the most specific first.
const char* const SettingsPrograms[][2] = {
    {"xscreensaver-settings", ""},
    {"xscreensaver-demo", ""},
    {"xfce4-screensaver-preferences", ""},
    {"mate-screensaver-preferences", ""},
    {"cinnamon-settings", "screensaver"},
    {"kcmshell5", "kcm_screenlocker"},
    {"gnome-control-center", ""},
};

} // namespace

bool RunCommandLine(const QString& commandLine) {
  QStringList words = QProcess::splitCommand(commandLine);
  if (words.isEmpty())
    return false;
  const QString program = words.takeFirst();
  return QProcess::startDetached(program, words);
}

bool ShellOpen(const QString& documentOrUrl) {
  if (documentOrUrl.isEmpty())
    return false;
  return QProcess::startDetached(DocumentOpener(), {documentOrUrl});
}

void ShellOpenWatched(const QString& documentOrUrl, std::function<void()> failed) {
  if (documentOrUrl.isEmpty()) {
    failed();
    return;
  }
  // Without a parent: the program the opener started (a browser run in the foreground)
  // must not end when this program does.
  auto* opener = new QProcess;
  opener->setProgram(DocumentOpener());
  opener->setArguments({documentOrUrl});
  opener->setStandardInputFile(QProcess::nullDevice());
  opener->setStandardOutputFile(QProcess::nullDevice());
  opener->setStandardErrorFile(QProcess::nullDevice());
  auto started = std::make_shared<QElapsedTimer>();
  QObject::connect(opener, &QProcess::finished, [opener, failed, started](int code, QProcess::ExitStatus status) {
    if ((status != QProcess::NormalExit || code != 0) && started->elapsed() < OpenerGiveUpMs)
      failed();
    opener->deleteLater();
  });
  QObject::connect(opener, &QProcess::errorOccurred, [opener, failed](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart)
      return;
    failed();
    opener->deleteLater();
  });
  started->start();
  opener->start();
}

void SetDocumentOpener(const QString& program) { DocumentOpener() = program; }

void BroadcastSettingsChange() {}

QString ScreenSaverSettingsCommand() {
  if (SettingsCommandOverride())
    return *SettingsCommandOverride();
  if (qEnvironmentVariableIsSet("GREETIX_SCREENSAVER_SETTINGS"))
    return qEnvironmentVariable("GREETIX_SCREENSAVER_SETTINGS");
  for (const auto& entry : SettingsPrograms) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(entry[0]));
    if (path.isEmpty())
      continue;
    QString command = QLatin1Char('"') + path + QLatin1Char('"');
    if (*entry[1])
      command += QLatin1Char(' ') + QString::fromLatin1(entry[1]);
    return command;
  }
  return {};
}

void SetScreenSaverSettingsCommand(const QString& commandLine) {
  SettingsCommandOverride() = commandLine;
}

void ResetScreenSaverSettingsCommand() { SettingsCommandOverride().reset(); }

} // namespace Platform
