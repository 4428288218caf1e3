#include "plugins/PendingFile.h"

#include <stdexcept>

#include "platform/AtomicFile.h"

namespace plugins {

TPendingFile::TPendingFile(std::string destination)
    : FDestination(std::move(destination)),
      FFile(std::make_unique<files::TAtomicFile>(FDestination)),
      FTempPath(FFile->TempPath()) {}

TPendingFile::~TPendingFile() = default;

void TPendingFile::Commit() {
  if (!FFile) throw std::logic_error("pending file already finished");
  FFile->Commit();
  FFile.reset();
}

void TPendingFile::Discard() { FFile.reset(); }

}  // namespace plugins
