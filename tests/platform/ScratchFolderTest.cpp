// Commands' scratch folders: private, gone when the command ends, and those of killed
// commands removed by the next one, never a live command's nor the editor's.
#include "platform/ScratchFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/TestFolder.h"

namespace {

namespace fs = std::filesystem;

// The id of a child that has ended and been reaped.
long EndedProcessId() {
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  return child;
}

fs::path MakeFolder(const fs::path& root, const std::string& name) {
  fs::create_directories(root / name);
  std::ofstream(root / name / "Untitled.grx") << "<Movie/>";
  return root / name;
}

// TMPDIR for the length of a scope.
class TTempFolderSetting {
public:
  explicit TTempFolderSetting(const std::string& folder) {
    if (const char* old = std::getenv("TMPDIR")) Old = old;
    setenv("TMPDIR", folder.c_str(), 1);
  }
  ~TTempFolderSetting() {
    if (Old.empty())
      unsetenv("TMPDIR");
    else
      setenv("TMPDIR", Old.c_str(), 1);
  }

private:
  std::string Old;
};

} // namespace

TEST(ScratchFolder, OnlyTheFoldersOfEndedCommandsAreRemoved) {
  TTestFolder temp;
  const fs::path root = temp.Path();
  const std::string ended = std::to_string(EndedProcessId());
  // Killed, not yet reaped by its parent: it writes no more.
  const pid_t zombie = fork();
  if (zombie == 0) _exit(0);
  while (true) {
    std::ifstream stat("/proc/" + std::to_string(zombie) + "/stat");
    std::string line;
    std::getline(stat, line);
    if (line.find(") Z") != std::string::npos) break;
    usleep(1000);
  }
  const fs::path endedRender = MakeFolder(root, "greetix-render-" + ended + "-a1B2c3");
  const fs::path zombieExport = MakeFolder(root, "greetix-export-" + std::to_string(zombie) + "-xYz123");
  const fs::path live = MakeFolder(root, "greetix-render-" + std::to_string(getpid()) + "-a1B2c3");
  const fs::path editor = MakeFolder(root, "greetix-" + ended + "-a1B2c3");
  const fs::path otherName = MakeFolder(root, "greetix-Render-" + ended + "-a1B2c3");
  const fs::path elsewhere = MakeFolder(root, "kept");
  fs::create_directory_symlink(elsewhere, root / ("greetix-render-" + ended + "-link00"));
  std::ofstream(root / ("greetix-thumbnail-" + ended + "-file00")) << "a file";

  EXPECT_EQ(files::RemoveStaleScratchFolders(root.string()), 2);
  waitpid(zombie, nullptr, 0);
  EXPECT_FALSE(fs::exists(endedRender));
  EXPECT_FALSE(fs::exists(zombieExport));
  for (const fs::path& kept : {live, editor, otherName, elsewhere / "Untitled.grx"})
    EXPECT_TRUE(fs::exists(kept)) << kept;
  EXPECT_TRUE(fs::is_symlink(root / ("greetix-render-" + ended + "-link00")));
  EXPECT_TRUE(fs::exists(root / ("greetix-thumbnail-" + ended + "-file00")));
}

TEST(ScratchFolder, IsPrivateNamedByItsCommandGoneAtTheEndAndSweepsFirst) {
  TTestFolder temp;
  const TTempFolderSetting setting(temp.Path());
  const fs::path stale = MakeFolder(temp.Path(), "greetix-render-" + std::to_string(EndedProcessId()) + "-a1B2c3");
  fs::path made;
  {
    const files::TScratchFolder folder("render");
    made = folder.Path();
    EXPECT_EQ(made.parent_path(), fs::path(temp.Path()));
    EXPECT_EQ(made.filename().string().rfind("greetix-render-" + std::to_string(getpid()) + "-", 0), 0u) << made;
    struct stat info {};
    ASSERT_EQ(stat(made.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_FALSE(fs::exists(stale));
    std::ofstream(folder.File("card.swf")) << "movie";
    // Its own folder is a live one: a sweep leaves it.
    EXPECT_EQ(files::RemoveStaleScratchFolders(temp.Path()), 0);
  }
  EXPECT_FALSE(fs::exists(made));
}
