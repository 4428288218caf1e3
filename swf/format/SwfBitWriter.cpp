#include "swf/format/SwfBitWriter.h"

#include <algorithm>

namespace swf {

void TSwfBitWriter::U8(uint8_t v) {
  Flush();
  FData.push_back(v);
}

void TSwfBitWriter::U16(uint16_t v) {
  U8(v & 0xFF);
  U8(v >> 8);
}

void TSwfBitWriter::U32(uint32_t v) {
  for (int i = 0; i < 4; ++i) U8((v >> (8 * i)) & 0xFF);
}

void TSwfBitWriter::Bytes(const uint8_t* data, size_t size) {
  Flush();
  FData.insert(FData.end(), data, data + size);
}

void TSwfBitWriter::String(const std::string& s) {
  Bytes(reinterpret_cast<const uint8_t*>(s.data()), s.size());
  U8(0);
}

void TSwfBitWriter::EncodedU32(uint32_t v) {
  do {
    uint8_t group = v & 0x7F;
    v >>= 7;
    U8(v ? (group | 0x80) : group);
  } while (v);
}

// Whole runs of bits at a time, up to the end of the byte being filled: shapes and matrices
// are mostly bit fields, and a movie is written at every edit.
void TSwfBitWriter::UB(int bits, uint32_t v) {
  while (bits > 0) {
    const int take = std::min(bits, 8 - FBitCount);
    bits -= take;
    FBitBuffer = (FBitBuffer << take) | ((v >> bits) & ((1u << take) - 1));
    FBitCount += take;
    if (FBitCount == 8) {
      FData.push_back(static_cast<uint8_t>(FBitBuffer));
      FBitBuffer = 0;
      FBitCount = 0;
    }
  }
}

void TSwfBitWriter::SB(int bits, int32_t v) { UB(bits, static_cast<uint32_t>(v)); }

void TSwfBitWriter::Flush() {
  if (FBitCount == 0) return;
  FData.push_back(static_cast<uint8_t>(FBitBuffer << (8 - FBitCount)));
  FBitBuffer = 0;
  FBitCount = 0;
}

void TSwfBitWriter::Rect(const TRect& r) {
  int n = std::max({SignedBits(r.XMin), SignedBits(r.XMax), SignedBits(r.YMin), SignedBits(r.YMax)});
  Flush();
  UB(5, n);
  SB(n, r.XMin);
  SB(n, r.XMax);
  SB(n, r.YMin);
  SB(n, r.YMax);
  Flush();
}

void TSwfBitWriter::Matrix(const TMatrix& m) {
  Flush();
  // A present scale or rotate pair always gets at least one bit: readers disagree on 0.
  bool hasScale = m.A != 65536 || m.D != 65536;
  UB(1, hasScale);
  if (hasScale) {
    int n = std::max({1, SignedBits(m.A), SignedBits(m.D)});
    UB(5, n);
    SB(n, m.A);
    SB(n, m.D);
  }
  bool hasRotate = m.B != 0 || m.C != 0;
  UB(1, hasRotate);
  if (hasRotate) {
    int n = std::max({1, SignedBits(m.B), SignedBits(m.C)});
    UB(5, n);
    SB(n, m.B);
    SB(n, m.C);
  }
  int n = std::max(SignedBits(m.TX), SignedBits(m.TY));
  UB(5, n);
  SB(n, m.TX);
  SB(n, m.TY);
  Flush();
}

void TSwfBitWriter::CxForm(const TCxForm& c, bool withAlpha) {
  Flush();
  bool hasAdd = withAlpha ? c.HasAdd() : (c.RAdd || c.GAdd || c.BAdd);
  bool hasMult = withAlpha ? c.HasMult() : (c.RMult != 256 || c.GMult != 256 || c.BMult != 256);
  int n = 1;
  if (hasMult) {
    n = std::max({n, SignedBits(c.RMult), SignedBits(c.GMult), SignedBits(c.BMult)});
    if (withAlpha) n = std::max(n, SignedBits(c.AMult));
  }
  if (hasAdd) {
    n = std::max({n, SignedBits(c.RAdd), SignedBits(c.GAdd), SignedBits(c.BAdd)});
    if (withAlpha) n = std::max(n, SignedBits(c.AAdd));
  }
  UB(1, hasAdd);
  UB(1, hasMult);
  UB(4, n);
  // The add flag comes first, but the multipliers come first in the data.
  if (hasMult) {
    SB(n, c.RMult);
    SB(n, c.GMult);
    SB(n, c.BMult);
    if (withAlpha) SB(n, c.AMult);
  }
  if (hasAdd) {
    SB(n, c.RAdd);
    SB(n, c.GAdd);
    SB(n, c.BAdd);
    if (withAlpha) SB(n, c.AAdd);
  }
  Flush();
}

void TSwfBitWriter::Rgb(const TRgba& c) {
  U8(c.R);
  U8(c.G);
  U8(c.B);
}

void TSwfBitWriter::Rgba(const TRgba& c) {
  Rgb(c);
  U8(c.A);
}

void TSwfBitWriter::Tag(uint16_t code, const std::vector<uint8_t>& body, bool forceLong) {
  Flush();
  if (!forceLong && body.size() < 63) {
    U16(static_cast<uint16_t>((code << 6) | body.size()));
  } else {
    U16(static_cast<uint16_t>((code << 6) | 0x3F));
    U32(static_cast<uint32_t>(body.size()));
  }
  Bytes(body);
}

}  // namespace swf
