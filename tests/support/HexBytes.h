// Bytes written as hexadecimal pairs separated by white space, the form in which the SWF
// tests state exact tag and value bytes: "46 57 53" gives {0x46, 0x57, 0x53}.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

namespace swf::test {

inline std::vector<uint8_t> Hex(const std::string& text) {
  std::vector<uint8_t> bytes;
  std::istringstream in(text);
  std::string byte;
  while (in >> byte) bytes.push_back(static_cast<uint8_t>(std::stoi(byte, nullptr, 16)));
  return bytes;
}

}  // namespace swf::test
