// Writing a file the user keeps: the bytes go to a new file beside the target, every write
// is checked, the file is flushed to the disk, and only then renamed over the old one. Any
// failure (a full disk, a size limit, a folder that cannot be written) leaves the old file
// byte for byte and throws. Plain POSIX, no Qt, so every layer can write through it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace files {

// What failed and why, as one line: "cannot write \"/x/card.grx\": no space left on the device".
class TFileWriteError : public std::runtime_error {
public:
  TFileWriteError(const std::string& fileName, const std::string& reason)
      : std::runtime_error("cannot write \"" + fileName + "\": " + reason), FReason(reason) {}
  // The reason alone ("no space left on the device"), for callers with their own phrasing.
  const std::string& Reason() const { return FReason; }

private:
  std::string FReason;
};

// What becomes of a target that is a link: the file it names is replaced (a user's file,
// saved as an editor saving through the link would), or the link itself (the program's own
// files, which a link must never redirect into another file).
enum class TLinkTarget { FollowLink, ReplaceLink };

class TAtomicFile {
public:
  // Creates a new, empty file with a hidden unique name in the target's folder. An
  // existing target lends its mode, otherwise the umask decides. Throws TFileWriteError.
  explicit TAtomicFile(const std::string& target, TLinkTarget links = TLinkTarget::FollowLink);
  ~TAtomicFile(); // removes the new file unless Commit succeeded
  TAtomicFile(const TAtomicFile&) = delete;
  TAtomicFile& operator=(const TAtomicFile&) = delete;

  const std::string& Target() const { return FTarget; }
  // For a library that writes by file name (it must keep the file and not replace it).
  const std::string& TempPath() const { return FTempPath; }

  void Write(const void* data, std::size_t size); // all bytes or TFileWriteError
  void Write(std::string_view bytes) { Write(bytes.data(), bytes.size()); }
  void SetMode(mode_t mode);

  // Flushes the new file to the disk, closes it and renames it over the target.
  void Commit();

  // The message of a failure on this file, for callers that find one on their own.
  [[noreturn]] void Fail(const std::string& reason) const;

private:
  void Discard() noexcept;

  std::string FTarget; // the file replaced (a link's destination)
  std::string FShownName; // the name as given, for messages
  std::string FTempPath;
  int FDescriptor = -1;
  bool FDone = false;
};

// The program's own scratch folder (its private working folder): files committed in it or
// below are renamed into place whole but not flushed to the disk, which would make every edit
// wait for the disk several times. A crash of the program still leaves them whole; only a
// power cut may lose their last version, which no file of the user's depends on. Empty: none.
void SetScratchFolder(const std::string& folder);

// Writes the bytes as the new content of the file, as a whole or not at all.
void WriteFileAtomically(const std::string& target, std::string_view bytes,
                         TLinkTarget links = TLinkTarget::FollowLink);

// Copies the source's bytes over the target, as a whole or not at all. A source that cannot
// be read throws TFileWriteError too (naming the source).
void CopyFileAtomically(const std::string& source, const std::string& target);

// Removes the unfinished files that writers of the target killed before they could finish
// left beside it (only those of processes that no longer run).
int RemoveStaleTempFiles(const std::string& target);
// The same for every target in the folder.
int RemoveStaleTempFilesIn(const std::string& folder);

// A new hidden name beside the target for its unfinished bytes (".NAME.PID.XXXXXXXX"), the
// form the sweeps above recognise.
std::string NewTempName(const std::string& target);

} // namespace files
