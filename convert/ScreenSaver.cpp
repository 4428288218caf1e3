#include "convert/ScreenSaver.h"

#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/SafeFile.h"
#include "platform/SystemPaths.h"
#include "platform/XScreenSaverPrefs.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <exception>

namespace {

bool TryCopy(const QString& source, const QString& target, bool keepMode) {
  try {
    Platform::CopyFileAtomically(source, target, keepMode);
    return true;
  } catch (const std::exception&) {
    // No write access, no host, no movie: the installation goes on with what is there.
    return false;
  }
}

// The name xscreensaver's settings list the card under.
constexpr const char* XScreenSaverEntryName = "Greetix card";

// xscreensaver is the screen saver that runs programs like our host: it gets our entry.
// Returns what the user must be told, or nothing.
QString RegisterWithXScreenSaver(const QString& hostCopy, const QString& movieCopy, bool& selected) {
  const QString command = XScreenSaverCommand(hostCopy);
  if (!Platform::XScreenSaverInstalled() && !QFileInfo::exists(Platform::XScreenSaverFile()))
    return QStringLiteral("The card is installed as \"%1\", but xscreensaver, the screen saver that "
                          "shows it, is not installed.\n\nInstall it (sudo apt install xscreensaver) and "
                          "choose Set as Screen Saver again, let your desktop's screen saver run\n%2\n"
                          "or play the card full screen with\n%3")
        .arg(movieCopy, command, QStringLiteral("\"%1\" \"%2\"").arg(hostCopy, movieCopy));
  const Platform::TXScreenSaverRegistration registration = Platform::RegisterXScreenSaverProgram(
      QLatin1String(XScreenSaverEntryName), command, QLatin1String(ScreenSaverHostCopyName));
  switch (registration.Outcome) {
  case Platform::TXScreenSaverOutcome::Registered:
  case Platform::TXScreenSaverOutcome::AlreadyRegistered:
    selected = true;
    return {};
  case Platform::TXScreenSaverOutcome::ReadOnly:
    return QStringLiteral("Your xscreensaver settings \"%1\" are read-only and were left as they are.\n\n"
                          "To show the card, add this program in xscreensaver's settings and choose it:\n%2")
        .arg(Platform::XScreenSaverFile(), command);
  case Platform::TXScreenSaverOutcome::Failed:
    break;
  }
  return QStringLiteral("The card could not be made xscreensaver's screen saver: %1\n\n"
                        "Add this program in xscreensaver's settings and choose it:\n%2")
      .arg(registration.Error, command);
}

} // namespace

QString XScreenSaverCommand(const QString& hostCopy) {
  // xscreensaver hands its programs a shell only for lines that need one.
  static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9_./+-]+$"));
  QString program = hostCopy;
  if (!plain.match(program).hasMatch())
    program = QLatin1Char('\'') + program.replace(QLatin1Char('\''), QLatin1String("'\\''")) + QLatin1Char('\'');
  return program + QStringLiteral(" --root");
}

QString ScreenSaverHostSource() {
  return Platform::ProgramFolder() + QLatin1Char('/') + QLatin1String(ScreenSaverHostName);
}

TScreenSaverResult SetAsScreenSaver(const QString& movieFile, const QString& hostFile) {
  TScreenSaverResult result;
  const QString folder = Platform::SystemFolder() + QLatin1Char('/');
  const QString hostCopy = folder + QLatin1String(ScreenSaverHostCopyName);
  // The per-user system folder may not exist yet; where it cannot be made the copies fail.
  QDir().mkpath(folder);

  result.MovieCopied =
      !movieFile.isEmpty() && TryCopy(movieFile, folder + QLatin1String(ScreenSaverMovieName), false);
  // The host is a program here: its copy must stay runnable.
  result.HostCopied = !hostFile.isEmpty() && TryCopy(hostFile, hostCopy, true);

  result.HostShortName = Platform::ShortPathName(hostCopy);
  if (!result.HostShortName.isEmpty() && QFileInfo::exists(result.HostShortName)) {
    // The desktop key always exists where the screen saver is kept; this registry makes
    // it with its first value.
    Platform::TRegistry registry;
    registry.OpenKey(QLatin1String(Platform::DesktopKey), true);
    const QString current = registry.ReadString(QLatin1String(Platform::ScreenSaverValue));
    if (current.toUpper() != result.HostShortName.toUpper()) {
      registry.WriteString(QLatin1String(Platform::ScreenSaverValue), result.HostShortName);
      result.Registered = true;
      Platform::BroadcastSettingsChange();
      result.Broadcast = true;
    }
    registry.CloseKey();
    result.Message = RegisterWithXScreenSaver(
        hostCopy, folder + QLatin1String(ScreenSaverMovieName), result.XScreenSaverSelected);
  }

  result.SettingsOpened = Platform::RunCommandLine(Platform::ScreenSaverSettingsCommand());
  return result;
}
