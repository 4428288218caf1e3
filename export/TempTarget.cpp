#include "export/TempTarget.h"

#include <sys/stat.h>

#include <filesystem>

#include "export/ExportError.h"
#include "platform/AtomicFile.h"

namespace exporter {

TTempTarget::TTempTarget(std::string target) : FTarget(std::move(target)) {
  struct stat info {};
  if (!FTarget.empty() && stat(FTarget.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw TExportError("\"" + FTarget + "\" is a folder.");
  }
  // Named as what it is: the file written first may be one the user never chose (the video
  // beside a web page).
  const std::filesystem::path folder = std::filesystem::path(FTarget).parent_path();
  std::error_code error;
  if (!folder.empty() && !std::filesystem::exists(folder, error) && !error) {
    throw TExportError("The folder \"" + folder.string() + "\" does not exist.");
  }
  try {
    FFile = std::make_unique<files::TAtomicFile>(FTarget);
  } catch (const files::TFileWriteError& error) {
    throw TExportError("Cannot write in the folder of \"" + FTarget + "\": " + error.Reason());
  }
  FTemp = FFile->TempPath();
}

TTempTarget::~TTempTarget() = default;

void TTempTarget::Commit() {
  try {
    FFile->Commit();
  } catch (const files::TFileWriteError& error) {
    throw TExportError("Cannot put the file in place as \"" + FTarget + "\": " + error.Reason());
  }
}

}  // namespace exporter
