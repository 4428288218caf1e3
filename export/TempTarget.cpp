#include "export/TempTarget.h"

#include <sys/stat.h>

#include "export/ExportError.h"
#include "platform/AtomicFile.h"

namespace exporter {

TTempTarget::TTempTarget(std::string target) : FTarget(std::move(target)) {
  struct stat info {};
  if (!FTarget.empty() && stat(FTarget.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
    throw TExportError("\"" + FTarget + "\" is a folder.");
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
