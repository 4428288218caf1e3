#include "platform/DerivedFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

using namespace files;

namespace {

// Points XDG_CACHE_HOME at a test folder for the test's lifetime.
class TCacheHome {
public:
  explicit TCacheHome(const std::string& folder) {
    const char* old = getenv("XDG_CACHE_HOME");
    if (old) Old = old, HadOld = true;
    setenv("XDG_CACHE_HOME", folder.c_str(), 1);
  }
  ~TCacheHome() { HadOld ? setenv("XDG_CACHE_HOME", Old.c_str(), 1) : unsetenv("XDG_CACHE_HOME"); }

private:
  std::string Old;
  bool HadOld = false;
};

void Touch(const std::string& file) {
  std::filesystem::create_directories(std::filesystem::path(file).parent_path());
  std::ofstream(file) << "x";
}

} // namespace

TEST(DerivedFileTest, AWritableFolderKeepsTheFileBesideItsSource) {
  TTestFolder folder;
  TCacheHome cache(folder.File("cache"));
  const std::string song = folder.File("song.mp3");
  EXPECT_EQ(DerivedFileForWriting(song, "_tmp.wav"), song + "_tmp.wav");
  EXPECT_EQ(DerivedFileForReading(song, "_tmp.wav"), song + "_tmp.wav");
  EXPECT_FALSE(std::filesystem::exists(folder.File("cache")));
}

TEST(DerivedFileTest, AReadOnlyFolderSendsNewFilesToTheUserCache) {
  TTestFolder folder;
  TCacheHome cache(folder.File("cache"));
  const std::string shipped = "/usr/share/greetix/library/jingle.wav";
  const std::string written = ChooseDerivedFile(shipped, "_tmp.wav", false, true);
  EXPECT_EQ(written.rfind(folder.File("cache/greetix/"), 0), 0u) << written;
  EXPECT_EQ(std::filesystem::path(written).filename(), "jingle.wav_tmp.wav");

  // Until the user converts it, the file shipped beside the source is read; afterwards the
  // user's own conversion.
  EXPECT_EQ(ChooseDerivedFile(shipped, "_tmp.wav", false, false), shipped + "_tmp.wav");
  Touch(written);
  EXPECT_EQ(ChooseDerivedFile(shipped, "_tmp.wav", false, false), written);
}

TEST(DerivedFileTest, SourcesOfOneNameInTwoFoldersGetTwoCachedFiles) {
  TTestFolder folder;
  TCacheHome cache(folder.File("cache"));
  const std::string first = CachedDerivedFile("/media/a/song.wav", "_tmp.wav");
  EXPECT_NE(first, CachedDerivedFile("/media/b/song.wav", "_tmp.wav"));
  EXPECT_EQ(first, CachedDerivedFile("/media/a/../a/song.wav", "_tmp.wav"));

  // The installed program reaches its library through a link.
  std::filesystem::create_directories(folder.File("share/library"));
  Touch(folder.File("share/library/jingle.wav"));
  std::filesystem::create_directory_symlink("share/library", folder.File("library"));
  EXPECT_EQ(CachedDerivedFile(folder.File("library/jingle.wav"), "_tmp.wav"),
            CachedDerivedFile(folder.File("share/library/jingle.wav"), "_tmp.wav"));
}

TEST(DerivedFileTest, TheCacheFolderFollowsTheDesktopsVariables) {
  TTestFolder folder;
  TCacheHome cache(folder.File("xdg"));
  EXPECT_EQ(UserCacheFolder(), folder.File("xdg") + "/greetix");
  // A relative XDG_CACHE_HOME is not valid and is ignored.
  setenv("XDG_CACHE_HOME", "relative/cache", 1);
  const char* home = getenv("HOME");
  EXPECT_EQ(UserCacheFolder(), std::string(home ? home : "/tmp") + "/.cache/greetix");
}

TEST(DerivedFileTest, AFolderWithoutWriteAccessIsNotWritable) {
  TTestFolder folder;
  EXPECT_TRUE(FolderIsWritable(folder.Path().string()));
  EXPECT_FALSE(FolderIsWritable(folder.File("missing")));
  if (geteuid() == 0) GTEST_SKIP() << "root writes every folder";
  chmod(folder.Path().c_str(), 0500);
  EXPECT_FALSE(FolderIsWritable(folder.Path().string()));
  chmod(folder.Path().c_str(), 0700);
}
