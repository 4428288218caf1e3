// A command's private folder for its working files, in the temporary folder (TMPDIR).
//
// Named "greetix-<kind>-<pid>-XXXXXX" (mode 0700) and removed with everything in it when
// the command ends. A command killed before it could remove its folder leaves it behind:
// every new scratch folder first removes those of this user whose process no longer runs.
// The editor's working folders ("greetix-<pid>-XXXXXX") are not scratch folders and stay.
#pragma once

#include <filesystem>
#include <string>

namespace files {

class TScratchFolder {
public:
  // `kind`: lowercase letters naming the command ("render"). Throws std::runtime_error
  // when the folder cannot be made.
  explicit TScratchFolder(const std::string& kind);
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return FFolder; }
  std::string File(const std::string& name) const { return (FFolder / name).string(); }

private:
  std::filesystem::path FFolder;
};

// Removes the scratch folders under tempFolder that belong to this user and whose process
// no longer runs (never a link, never a live one); returns how many.
int RemoveStaleScratchFolders(const std::string& tempFolder);

} // namespace files
