// Whole-file reading with a size limit, and writing through a temporary file renamed into
// place, so a failed write never leaves a half-written file where a good one was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace swf {

// Reads the whole file; what names the file in messages ("picture", "sound").
// Throws TSwfError when it cannot be read or is larger than maxBytes.
std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxBytes, const std::string& what);

// Writes the bytes to a temporary file in the target's folder and renames it to path.
void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what);

}  // namespace swf
