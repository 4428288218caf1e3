// Reads SWF data from a byte span with every access bounds-checked: running past the end
// throws TSwfError carrying the byte offset, never reads outside the span.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "swf/format/SwfTypes.h"

namespace swf {

class TSwfBitReader {
 public:
  // baseOffset is the span's position in the whole file, for error messages.
  TSwfBitReader(const uint8_t* data, size_t size, int64_t baseOffset = 0, int tagCode = -1);

  size_t Position() const { return FPos; }
  size_t Remaining() const { return FSize - FPos; }
  bool AtEnd() const { return FPos >= FSize; }
  const uint8_t* Current() const { return FData + FPos; }
  int64_t FileOffset() const { return FBase + static_cast<int64_t>(FPos); }

  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }
  uint32_t EncodedU32();
  std::string String();             // up to the NUL (or the end of the span)
  const uint8_t* Bytes(size_t n);   // a pointer to n bytes inside the span
  void Skip(size_t n) { Bytes(n); }

  // Bit fields, most significant bit first. Align drops the rest of the current byte;
  // byte reads align by themselves.
  uint32_t UB(int bits);
  int32_t SB(int bits);
  void Align() { FBitCount = 0; }

  TRect Rect();
  TMatrix Matrix();
  TCxForm CxForm(bool withAlpha);
  TRgba Rgb();
  TRgba Rgba();

  [[noreturn]] void Fail(const std::string& message) const;

 private:
  void Need(size_t n) const;

  const uint8_t* FData;
  size_t FSize;
  size_t FPos = 0;
  int64_t FBase;
  int FTagCode;
  uint8_t FBitByte = 0;
  int FBitCount = 0;  // bits left in FBitByte
};

}  // namespace swf
