#include "platform/PlatformError.h"
#include "platform/Registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Platform;

namespace {

class RegistryTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(Folder.isValid());
    TRegistry::SetFileName(Folder.filePath("Registry.ini"));
  }
  void TearDown() override { TRegistry::SetFileName({}); }
  QTemporaryDir Folder;
};

} // namespace

TEST_F(RegistryTest, ValuesSurviveIntoANewRegistryAndStayUnderTheirKey) {
  const QString folder = QStringLiteral("C:\\Users\\Zoë\\Pictures\\Cards 2024");
  TRegistry::Write(CommonKey, LastOpenDirValue, folder);
  TRegistry::Write(DesktopKey, ScreenSaverValue, "/home/me/saver.scr");

  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey(CommonKey, false));
  EXPECT_EQ(registry.ReadString(LastOpenDirValue), folder);
  EXPECT_TRUE(registry.ValueExists(LastOpenDirValue));
  EXPECT_FALSE(registry.ValueExists(ScreenSaverValue));
  EXPECT_EQ(TRegistry::Read(DesktopKey, ScreenSaverValue), "/home/me/saver.scr");
  // The parent key exists through its subkey, but holds no value of the child.
  EXPECT_TRUE(registry.KeyExists("Software\\Plumeworks"));
  EXPECT_EQ(TRegistry::Read("Software\\Plumeworks", LastOpenDirValue), "");
}

TEST_F(RegistryTest, MissingKeysAndValuesReadEmpty) {
  TRegistry registry;
  EXPECT_FALSE(registry.OpenKey(DesktopKey, false));
  EXPECT_EQ(registry.ReadString(ScreenSaverValue), "");
  EXPECT_THROW(registry.WriteString(ScreenSaverValue, "x"), TPlatformError);
  ASSERT_TRUE(registry.OpenKey(DesktopKey, true));
  EXPECT_EQ(registry.ReadString(ScreenSaverValue), "");
  registry.WriteString(ScreenSaverValue, "a");
  registry.DeleteValue(ScreenSaverValue);
  EXPECT_EQ(TRegistry::Read(DesktopKey, ScreenSaverValue), "");
}

TEST_F(RegistryTest, AnUnwritableFileIsReported) {
  QFile blocker(Folder.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  TRegistry::SetFileName(Folder.filePath("file/sub/Registry.ini"));
  EXPECT_THROW(TRegistry::Write(CommonKey, LastOpenDirValue, "/tmp"), TPlatformError);
}
