#include "swf/format/SwfBitReader.h"

#include <algorithm>
#include <cstring>

#include "swf/format/SwfError.h"

namespace swf {

TSwfBitReader::TSwfBitReader(const uint8_t* data, size_t size, int64_t baseOffset, int tagCode)
    : FData(data), FSize(size), FBase(baseOffset), FTagCode(tagCode) {}

void TSwfBitReader::Fail(const std::string& message) const {
  throw TSwfError(message, FTagCode, FileOffset());
}

void TSwfBitReader::Need(size_t n) const {
  if (n > FSize - FPos) Fail("Unexpected end of data");
}

uint8_t TSwfBitReader::U8() {
  Align();
  Need(1);
  return FData[FPos++];
}

uint16_t TSwfBitReader::U16() {
  Align();
  Need(2);
  uint16_t v = static_cast<uint16_t>(FData[FPos] | (FData[FPos + 1] << 8));
  FPos += 2;
  return v;
}

uint32_t TSwfBitReader::U32() {
  Align();
  Need(4);
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | FData[FPos + i];
  FPos += 4;
  return v;
}

uint32_t TSwfBitReader::EncodedU32() {
  uint32_t v = 0;
  for (int i = 0; i < 5; ++i) {
    uint8_t b = U8();
    v |= static_cast<uint32_t>(b & 0x7F) << (7 * i);
    if (!(b & 0x80)) break;
  }
  return v;
}

std::string TSwfBitReader::String() {
  Align();
  const void* nul = std::memchr(FData + FPos, 0, FSize - FPos);
  size_t len = nul ? static_cast<const uint8_t*>(nul) - (FData + FPos) : FSize - FPos;
  std::string s(reinterpret_cast<const char*>(FData + FPos), len);
  FPos += nul ? len + 1 : len;
  return s;
}

const uint8_t* TSwfBitReader::Bytes(size_t n) {
  Align();
  Need(n);
  const uint8_t* p = FData + FPos;
  FPos += n;
  return p;
}

uint32_t TSwfBitReader::UB(int bits) {
  if (bits < 0 || bits > 32) Fail("Bad bit field width");
  // Whole runs of bits at a time, up to the end of the byte being read: the player reads
  // every placement of a movie again at each edit.
  uint64_t v = 0;
  while (bits > 0) {
    if (FBitCount == 0) {
      Need(1);
      FBitByte = FData[FPos++];
      FBitCount = 8;
    }
    const int take = std::min(bits, FBitCount);
    FBitCount -= take;
    bits -= take;
    v = (v << take) | ((FBitByte >> FBitCount) & ((1u << take) - 1));
  }
  return static_cast<uint32_t>(v);
}

int32_t TSwfBitReader::SB(int bits) {
  if (bits == 0) return 0;
  uint32_t v = UB(bits);
  if (bits < 32 && (v & (1u << (bits - 1)))) v |= ~0u << bits;  // sign-extend
  return static_cast<int32_t>(v);
}

TRect TSwfBitReader::Rect() {
  Align();
  TRect r;
  int n = static_cast<int>(UB(5));
  r.XMin = SB(n);
  r.XMax = SB(n);
  r.YMin = SB(n);
  r.YMax = SB(n);
  Align();
  return r;
}

TMatrix TSwfBitReader::Matrix() {
  Align();
  TMatrix m;
  if (UB(1)) {
    int n = static_cast<int>(UB(5));
    m.A = SB(n);
    m.D = SB(n);
  }
  if (UB(1)) {
    int n = static_cast<int>(UB(5));
    m.B = SB(n);
    m.C = SB(n);
  }
  int n = static_cast<int>(UB(5));
  m.TX = SB(n);
  m.TY = SB(n);
  Align();
  return m;
}

TCxForm TSwfBitReader::CxForm(bool withAlpha) {
  Align();
  TCxForm c;
  bool hasAdd = UB(1);
  bool hasMult = UB(1);
  int n = static_cast<int>(UB(4));
  if (hasMult) {
    c.RMult = static_cast<int16_t>(SB(n));
    c.GMult = static_cast<int16_t>(SB(n));
    c.BMult = static_cast<int16_t>(SB(n));
    if (withAlpha) c.AMult = static_cast<int16_t>(SB(n));
  }
  if (hasAdd) {
    c.RAdd = static_cast<int16_t>(SB(n));
    c.GAdd = static_cast<int16_t>(SB(n));
    c.BAdd = static_cast<int16_t>(SB(n));
    if (withAlpha) c.AAdd = static_cast<int16_t>(SB(n));
  }
  Align();
  return c;
}

TRgba TSwfBitReader::Rgb() {
  TRgba c;
  c.R = U8();
  c.G = U8();
  c.B = U8();
  return c;
}

TRgba TSwfBitReader::Rgba() {
  TRgba c = Rgb();
  c.A = U8();
  return c;
}

}  // namespace swf
