// The content that TSwfObject makes and TSwfMovie places: text shapes, pictures and
// sounds, held as immutable data so that a movie can keep them after the object has moved on.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace swf {

// A picture for the movie and its size in pixels: the bytes of a JPEG file
// (DefineBitsJPEG2), or lossless pixels with their alpha (DefineBitsLossless2).
struct TBitmapData {
  std::vector<uint8_t> Jpeg;
  // Lossless: zlib-compressed rows of premultiplied ARGB pixels, 4 bytes each; empty for a JPEG.
  std::vector<uint8_t> Lossless;
  int Width = 0;
  int Height = 0;

  bool IsLossless() const { return !Lossless.empty(); }
};

// Samples ready for DefineSound.
struct TSoundData {
  uint8_t Format = 0;         // the DefineSound format byte (codec, rate, size, channels)
  uint32_t SampleCount = 0;   // sample frames
  std::vector<uint8_t> Samples;
};

enum class TContentKind { TextShape, PictureShape, VectorShape, Sound };

struct TContent {
  TContentKind Kind = TContentKind::TextShape;
  // Text: the DefineShape3 body after the character id (bounds, one solid fill, records).
  // A drawing (VectorShape): the DefineShape4 body, spanning (0,0)-(Width,Height).
  std::vector<uint8_t> ShapeBody;
  // Text with colour glyphs (emoji): their pictures, and the DefineShape4 body of the
  // outlines and the pictures given the pictures' bitmap ids; ShapeBody then holds the
  // outlines alone (the key of equal texts).
  std::vector<std::shared_ptr<const TBitmapData>> TextPictures;
  std::function<std::vector<uint8_t>(const std::vector<uint16_t>&)> TextBodyWithPictures;
  // Picture: the rectangle's size in twips; the shape spans (0,0)-(Width,Height).
  int32_t Width = 0;
  int32_t Height = 0;
  std::shared_ptr<const TBitmapData> Bitmap;
  // Sound.
  std::shared_ptr<const TSoundData> Sound;
  // The translation of a placement until Translate replaces it: the text's origin or the
  // picture's top left corner, in twips.
  int32_t OriginX = 0;
  int32_t OriginY = 0;
  // What a Scale factor is multiplied by. A text's scale factors are measured against a
  // 36-point text (1008 twips high) whatever height it was made at, so an effect grows or
  // shrinks a text by the same proportion at every font size.
  double ScaleReference = 1.0;
  // The colour a text shape is drawn in.
  uint8_t ShapeRed = 0, ShapeGreen = 0, ShapeBlue = 0;

  bool IsShape() const { return Kind != TContentKind::Sound; }
};

using TContentPtr = std::shared_ptr<const TContent>;

}  // namespace swf
