// Value types of the SWF format shared by the builder, the reader and the player.
#pragma once

#include <cstdint>

namespace swf {

constexpr int TwipsPerPixel = 20;

// A rectangle in twips.
struct TRect {
  int32_t XMin = 0, XMax = 0, YMin = 0, YMax = 0;
  bool operator==(const TRect&) const = default;
};

struct TRgba {
  uint8_t R = 0, G = 0, B = 0, A = 255;
  bool operator==(const TRgba&) const = default;
};

// An affine matrix. A, B, C, D are 16.16 fixed point (65536 = 1.0), translations in twips:
// x' = A·x + C·y + TX,  y' = B·x + D·y + TY.
struct TMatrix {
  int32_t A = 65536, B = 0, C = 0, D = 65536;
  int32_t TX = 0, TY = 0;
  bool operator==(const TMatrix&) const = default;
  bool IsIdentity() const { return *this == TMatrix{}; }
};

// A colour transform. Multipliers in 8.8 fixed point (256 = 1.0), additions in colour units:
// out = clamp((in · Mult >> 8) + Add).
struct TCxForm {
  int16_t RMult = 256, GMult = 256, BMult = 256, AMult = 256;
  int16_t RAdd = 0, GAdd = 0, BAdd = 0, AAdd = 0;
  bool operator==(const TCxForm&) const = default;
  bool HasMult() const { return RMult != 256 || GMult != 256 || BMult != 256 || AMult != 256; }
  bool HasAdd() const { return RAdd != 0 || GAdd != 0 || BAdd != 0 || AAdd != 0; }
  bool IsIdentity() const { return !HasMult() && !HasAdd(); }
};

// The header fields of a movie, as written after the signature and file length.
struct THeader {
  char Signature = 'F';      // 'F' plain, 'C' zlib, 'Z' LZMA
  uint8_t Version = 8;
  uint32_t FileLength = 0;   // of the whole uncompressed file, header included
  TRect FrameSize;
  uint16_t FrameRate = 12 << 8;  // 8.8 fixed point frames per second
  uint16_t FrameCount = 1;
};

// Bits needed to hold a signed value in two's complement (0 for 0).
int SignedBits(int64_t value);
// Bits needed to hold an unsigned value (0 for 0).
int UnsignedBits(uint64_t value);

}  // namespace swf
