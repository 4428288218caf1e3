#include "app/MediaFolder.h"

#include "platform/PlatformError.h"
#include "platform/Registry.h"
#include "platform/SystemPaths.h"

QString LoadLastMediaFolder() {
  Platform::TRegistry registry;
  QString folder;
  if (registry.OpenKey(QString::fromLatin1(Platform::CommonKey), false))
    folder = registry.ReadString(QString::fromLatin1(Platform::LastOpenDirValue));
  if (folder.isEmpty())
    folder = Platform::ProgramFolder() + QStringLiteral("/library");
  return folder;
}

void SaveLastMediaFolder(const QString& folder) {
  try {
    Platform::TRegistry registry;
    if (registry.OpenKey(QString::fromLatin1(Platform::CommonKey), true))
      registry.WriteString(QString::fromLatin1(Platform::LastOpenDirValue), folder);
  } catch (const Platform::TPlatformError&) {
  }
}
