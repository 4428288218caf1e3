#include "swf/builder/FileIo.h"

#include <fstream>
#include <string_view>

#include "platform/AtomicFile.h"
#include "swf/format/SwfError.h"

namespace swf {

std::vector<uint8_t> ReadFileBytes(const std::string& path, size_t maxBytes, const std::string& what) {
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) throw TSwfError("Can not open the " + what + " file: " + path);
  std::streamoff size = in.tellg();
  if (size < 0) throw TSwfError("Can not read the " + what + " file: " + path);
  if (static_cast<uint64_t>(size) > maxBytes) throw TSwfError("The " + what + " file is too large: " + path);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.seekg(0);
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
    throw TSwfError("Can not read the " + what + " file: " + path);
  }
  return bytes;
}

void WriteFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes, const std::string& what) {
  try {
    files::WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const files::TFileWriteError& error) {
    throw TSwfError("Can not write the " + what + " file " + path + ": " + error.Reason());
  }
}

}  // namespace swf
