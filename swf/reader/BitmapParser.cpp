// DefineBits, DefineBitsJPEG2/3/4 and DefineBitsLossless/2: the stored bytes and sizes.
#include <string>

#include "swf/format/TagCodes.h"

#include "swf/reader/BitmapData.h"
#include "swf/reader/TagParsers.h"

namespace swf {
namespace {

std::vector<uint8_t> Take(TSwfBitReader& r, size_t n) {
  const uint8_t* p = r.Bytes(n);
  return std::vector<uint8_t>(p, p + n);
}

}  // namespace

TBitmap ParseDefineBits(TSwfBitReader& r, uint16_t code) {
  TBitmap bitmap;
  bitmap.Id = r.U16();
  switch (code) {
    case uint16_t(TTagCode::DefineBits):
      bitmap.Kind = TBitmapKind::Jpeg;
      bitmap.ImageData = Take(r, r.Remaining());
      break;
    case uint16_t(TTagCode::DefineBitsJPEG2):
      bitmap.Kind = TBitmapKind::Jpeg2;
      bitmap.ImageData = Take(r, r.Remaining());
      break;
    case uint16_t(TTagCode::DefineBitsJPEG3):
    case uint16_t(TTagCode::DefineBitsJPEG4): {  // JPEG4 adds a deblocking value, not used
      bitmap.Kind = TBitmapKind::Jpeg3;
      uint32_t alphaOffset = r.U32();
      if (code == uint16_t(TTagCode::DefineBitsJPEG4)) r.U16();
      if (alphaOffset > r.Remaining()) r.Fail("The JPEG data runs past the end of the tag");
      bitmap.ImageData = Take(r, alphaOffset);
      bitmap.AlphaData = Take(r, r.Remaining());
      break;
    }
    case uint16_t(TTagCode::DefineBitsLossless):
    case uint16_t(TTagCode::DefineBitsLossless2): {
      bitmap.Kind = code == uint16_t(TTagCode::DefineBitsLossless) ? TBitmapKind::Lossless : TBitmapKind::Lossless2;
      bitmap.Format = r.U8();
      bitmap.Width = r.U16();
      bitmap.Height = r.U16();
      if (bitmap.Format != 3 && bitmap.Format != 4 && bitmap.Format != 5)
        r.Fail("Unknown lossless bitmap format " + std::to_string(bitmap.Format));
      if (bitmap.Width > MaxBitmapSide || bitmap.Height > MaxBitmapSide ||
          uint64_t(bitmap.Width) * bitmap.Height > MaxBitmapPixels)
        r.Fail("A bitmap of " + std::to_string(bitmap.Width) + " x " +
               std::to_string(bitmap.Height) + " pixels is too large");
      if (bitmap.Format == 3) bitmap.ColorTableSize = static_cast<uint16_t>(r.U8() + 1);
      bitmap.ImageData = Take(r, r.Remaining());
      break;
    }
    default:
      r.Fail("Not a bitmap tag");
  }
  return bitmap;
}

}  // namespace swf
