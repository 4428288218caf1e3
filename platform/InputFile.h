// Files the user names for reading: only a plain file is read, so a named pipe never blocks
// a reader and a folder or a device is refused for what it is, not for a size it seems to
// have. Plain C++, so every reader can check through it.
#pragma once

#include <cstddef>
#include <optional>
#include <stdexcept>
#include <string>

namespace files {

class TInputFileError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// What the path names when that is not a plain file (links followed): "a folder",
// "a named pipe", "a device" or "a socket". Empty for a plain file and for a missing path.
std::string NotAFileKind(const std::string& path);

// Throws TInputFileError ("\"x\" is a folder, not a file") unless the path names a plain
// file. A missing path passes, for its reader to report in its own words.
void RefuseNonRegularFile(const std::string& path);

// The bytes of a plain file, at most limit of them; nullopt when the path names no plain
// file or cannot be read. Opened without blocking and checked once open, so a named pipe
// put in the file's place never makes the reader wait.
std::optional<std::string> ReadPlainFile(const std::string& path, std::size_t limit);

} // namespace files
