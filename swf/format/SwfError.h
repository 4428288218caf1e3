// The one error type of the SWF library: a message plus where in the data it arose.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace swf {

class TSwfError : public std::runtime_error {
 public:
  explicit TSwfError(const std::string& message, int tagCode = -1, int64_t offset = -1);
  int TagCode() const { return FTagCode; }    // -1 outside any tag
  int64_t Offset() const { return FOffset; }  // byte offset in the (uncompressed) file, or -1

 private:
  int FTagCode;
  int64_t FOffset;
};

}  // namespace swf
