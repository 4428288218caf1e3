// Writes SWF data: little-endian integers, MSB-first bit fields and the compound types.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "swf/format/SwfTypes.h"

namespace swf {

class TSwfBitWriter {
 public:
  const std::vector<uint8_t>& Data() const { return FData; }
  std::vector<uint8_t> Take() { return std::move(FData); }
  size_t Size() const { return FData.size(); }
  void Reserve(size_t bytes) { FData.reserve(bytes); }

  void U8(uint8_t v);
  void U16(uint16_t v);
  void U32(uint32_t v);
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bytes(const uint8_t* data, size_t size);
  void Bytes(const std::vector<uint8_t>& data) { Bytes(data.data(), data.size()); }
  void String(const std::string& s);  // NUL-terminated
  void EncodedU32(uint32_t v);

  // Bit fields, most significant bit first. Flush pads the last byte with zeros.
  void UB(int bits, uint32_t v);
  void SB(int bits, int32_t v);
  void Flush();

  void Rect(const TRect& r);
  void Matrix(const TMatrix& m);
  void CxForm(const TCxForm& c, bool withAlpha);
  void Rgb(const TRgba& c);
  void Rgba(const TRgba& c);

  // A whole tag: header (short form when allowed) followed by the body.
  void Tag(uint16_t code, const std::vector<uint8_t>& body, bool forceLong = false);

 private:
  std::vector<uint8_t> FData;
  uint32_t FBitBuffer = 0;
  int FBitCount = 0;
};

}  // namespace swf
