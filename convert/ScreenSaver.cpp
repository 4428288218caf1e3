#include "convert/ScreenSaver.h"

#include "platform/Desktop.h"
#include "platform/Registry.h"
#include "platform/SafeFile.h"
#include "platform/SystemPaths.h"

#include <QDir>
#include <QFileInfo>
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

} // namespace

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
  }

  result.SettingsOpened = Platform::RunCommandLine(Platform::ScreenSaverSettingsCommand());
  return result;
}
