#include "platform/Desktop.h"

#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <optional>

namespace Platform {

namespace {

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
  return QProcess::startDetached(QStringLiteral("xdg-open"), {documentOrUrl});
}

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
