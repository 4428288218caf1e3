// A file written under a private temporary name beside its destination and renamed into
// place only when complete, so a failure never leaves a partial file under the real name.
// A library writes the temporary file by its name; Commit flushes it to the disk first.
#pragma once

#include <memory>
#include <string>

namespace files {
class TAtomicFile;
}

namespace plugins {

class TPendingFile {
 public:
  // Creates an empty, new file (never an existing one) in the destination's folder with a
  // hidden, unique name, with the mode of the file it will replace. Throws
  // std::runtime_error when the folder is not writable.
  explicit TPendingFile(std::string destination);
  ~TPendingFile();  // removes the temporary file unless Commit succeeded
  TPendingFile(const TPendingFile&) = delete;
  TPendingFile& operator=(const TPendingFile&) = delete;

  const std::string& TempPath() const { return FTempPath; }
  const std::string& Destination() const { return FDestination; }

  // Renames the temporary file over the destination, replacing it. Throws on failure (the
  // temporary file is then removed by the destructor).
  void Commit();
  void Discard();

 private:
  std::string FDestination;
  std::unique_ptr<files::TAtomicFile> FFile;
  std::string FTempPath;
};

}  // namespace plugins
