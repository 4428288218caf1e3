#include "platform/Registry.h"

#include "platform/InputFile.h"
#include "platform/PlatformError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace Platform {

namespace {

QString& FileNameOverride() {
  static QString fileName;
  return fileName;
}

// QSettings separates groups with '/'; the registry's paths use '\'.
QString ToGroupPath(const QString& key) {
  QString path = key;
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  while (path.startsWith(QLatin1Char('/')))
    path.remove(0, 1);
  while (path.endsWith(QLatin1Char('/')))
    path.chop(1);
  return path;
}

} // namespace

TRegistry::TRegistry() {
  const QString fileName = FileName();
  QDir().mkpath(QFileInfo(fileName).absolutePath());
  // Something else than a file in the settings' place (a named pipe would make every start
  // wait for a writer) is not read: the settings start empty and cannot be written.
  NotAFile = QString::fromStdString(files::NotAFileKind(QFile::encodeName(fileName).toStdString()));
  if (NotAFile.isEmpty()) {
    Settings = std::make_unique<QSettings>(fileName, QSettings::IniFormat);
  } else {
    StandIn = std::make_unique<QTemporaryDir>();
    Settings = std::make_unique<QSettings>(StandIn->filePath(QStringLiteral("Registry.ini")), QSettings::IniFormat);
  }
}

TRegistry::~TRegistry() { Settings.reset(); }

QString TRegistry::FileName() {
  if (!FileNameOverride().isEmpty())
    return FileNameOverride();
  QString folder = qEnvironmentVariable("GREETIX_CONFIG_DIR");
  if (folder.isEmpty())
    folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
             QStringLiteral("/Greetix");
  return folder + QStringLiteral("/Registry.ini");
}

void TRegistry::SetFileName(const QString& fileName) { FileNameOverride() = fileName; }

bool TRegistry::KeyExists(const QString& key) const {
  const QString group = ToGroupPath(key);
  if (group.isEmpty())
    return true;
  Settings->beginGroup(group);
  const bool exists = !Settings->childKeys().isEmpty() || !Settings->childGroups().isEmpty();
  Settings->endGroup();
  return exists;
}

bool TRegistry::OpenKey(const QString& key, bool canCreate) {
  if (!canCreate && !KeyExists(key))
    return false;
  CurrentKey = ToGroupPath(key);
  KeyOpen = true;
  return true;
}

void TRegistry::CloseKey() {
  CurrentKey.clear();
  KeyOpen = false;
}

QString TRegistry::ValuePath(const QString& name) const {
  return CurrentKey.isEmpty() ? name : CurrentKey + QLatin1Char('/') + name;
}

bool TRegistry::ValueExists(const QString& name) const {
  return KeyOpen && Settings->contains(ValuePath(name));
}

QString TRegistry::ReadString(const QString& name) const {
  if (!KeyOpen)
    return {};
  return Settings->value(ValuePath(name)).toString();
}

void TRegistry::WriteString(const QString& name, const QString& value) {
  if (!KeyOpen)
    throw TPlatformError(QStringLiteral("Failed to set data for '%1'").arg(name));
  Settings->setValue(ValuePath(name), value);
  Sync();
}

void TRegistry::DeleteValue(const QString& name) {
  if (!KeyOpen)
    return;
  Settings->remove(ValuePath(name));
  Sync();
}

void TRegistry::Sync() {
  if (!NotAFile.isEmpty())
    throw TPlatformError(QStringLiteral("Failed to write the registry file \"%1\": it is %2, not a file")
                             .arg(QDir::toNativeSeparators(FileName()), NotAFile));
  Settings->sync();
  if (Settings->status() == QSettings::AccessError)
    throw TPlatformError(QStringLiteral("Failed to write the registry file \"%1\": access denied")
                             .arg(QDir::toNativeSeparators(Settings->fileName())));
}

QString TRegistry::Read(const QString& key, const QString& name) {
  TRegistry registry;
  if (!registry.OpenKey(key, false))
    return {};
  return registry.ReadString(name);
}

void TRegistry::Write(const QString& key, const QString& name, const QString& value) {
  TRegistry registry;
  registry.OpenKey(key, true);
  registry.WriteString(name, value);
}

} // namespace Platform
