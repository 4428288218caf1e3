// The current user's registry: keys and string values kept in one INI file.
//
// Key paths are written as on the desktop this program grew up on
// ("Software\Plumeworks\Greetix\Common"); every key lies under the current user's root.
// The file is "Registry.ini" in the folder named by GREETIX_CONFIG_DIR, or else in
// "<user config folder>/Greetix"; SetFileName moves it (tests use a temporary one).
#pragma once

#include <QString>
#include <memory>

class QSettings;
class QTemporaryDir;

namespace Platform {

inline constexpr const char* CommonKey = "Software\\Plumeworks\\Greetix\\Common";
inline constexpr const char* LastOpenDirValue = "LastOpenDir";
inline constexpr const char* DesktopKey = "Control Panel\\Desktop";
inline constexpr const char* ScreenSaverValue = "SCRNSAVE.EXE";

class TRegistry {
public:
  TRegistry();
  ~TRegistry();

  // Where every TRegistry reads and writes; an empty name restores the default.
  static QString FileName();
  static void SetFileName(const QString& fileName);

  // Opens a key; without canCreate a key that holds no value does not open.
  // A key comes into being with its first value.
  bool OpenKey(const QString& key, bool canCreate);
  void CloseKey();
  bool KeyExists(const QString& key) const;
  bool ValueExists(const QString& name) const;

  // A missing value (or no open key) reads as an empty string.
  QString ReadString(const QString& name) const;
  // Throws TPlatformError when no key is open or the file cannot be written.
  void WriteString(const QString& name, const QString& value);
  void DeleteValue(const QString& name);

  // Reads one value without keeping a key open; empty when missing.
  static QString Read(const QString& key, const QString& name);
  static void Write(const QString& key, const QString& name, const QString& value);

private:
  QString ValuePath(const QString& name) const;
  void Sync();

  QString NotAFile; // what lies in the file's place when it is no file ("a named pipe")
  std::unique_ptr<QTemporaryDir> StandIn; // holds the settings then, never read or kept
  std::unique_ptr<QSettings> Settings;
  QString CurrentKey; // with '/' separators; empty when closed
  bool KeyOpen = false;
};

} // namespace Platform
