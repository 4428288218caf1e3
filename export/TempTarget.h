// A file the export writes under a temporary name beside its target and renames into place
// once whole: a failed or cancelled export leaves the target as it was and nothing else.
#pragma once

#include <memory>
#include <string>

namespace files {
class TAtomicFile;
}

namespace exporter {

class TTempTarget {
 public:
  // Reserves the temporary name; throws TExportError when the folder cannot be written.
  explicit TTempTarget(std::string target);
  ~TTempTarget();  // removes the temporary file unless committed
  TTempTarget(const TTempTarget&) = delete;
  TTempTarget& operator=(const TTempTarget&) = delete;

  const std::string& Path() const { return FTemp; }
  const std::string& Target() const { return FTarget; }
  // Flushes the temporary file to the disk and renames it over the target; throws
  // TExportError on failure.
  void Commit();

 private:
  std::string FTarget;
  std::string FTemp;
  std::unique_ptr<files::TAtomicFile> FFile;
};

}  // namespace exporter
