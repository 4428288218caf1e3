// The player's own objects made from the parsed characters of a movie: paths of shapes and
// texts, decoded bitmaps and sounds. Each is built on first use and kept.
#pragma once

#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QTransform>

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "player/audio/PcmSound.h"
#include "player/render/ShapeGeometry.h"
#include "player/text/EditTextLayout.h"
#include "swf/reader/MovieTypes.h"

namespace player {

// A static text as paths in the text's own space (before its matrix), one run per record.
struct TTextGeometry {
  struct TRun {
    QPainterPath Path;
    // The glyphs flattened in their own units before scaling, as hard edges are drawn.
    QPainterPath FlatPath;
    swf::TRgba Color;
  };
  QTransform Matrix;  // the text's matrix
  std::vector<TRun> Runs;
  QRectF Bounds;      // of the runs, text space
  QPainterPath Outline() const;
};

class TCharacterLibrary {
 public:
  // All decoded pictures together stay below this many pixels; further ones are not
  // decoded (a movie of many huge, highly compressed bitmaps).
  static constexpr uint64_t MaxTotalPixels = 64u << 20;
  // Likewise for all decoded sounds, in sample frames.
  static constexpr uint64_t MaxTotalSoundFrames = 3 * MaxSoundFrames;

  // Path elements of one static text at most.
  static constexpr size_t MaxTextElements = 1u << 20;

  explicit TCharacterLibrary(const swf::TMovie& movie) : FMovie(movie) {}

  const swf::TMovie& Movie() const { return FMovie; }
  // Each returns null for an id that is not of that kind or cannot be decoded.
  const TShapeGeometry* Shape(uint16_t id);
  // A morph shape at a ratio (0 start .. 65535 end). Valid until the next call.
  const TShapeGeometry* Morph(uint16_t id, uint16_t ratio);
  const QImage* Bitmap(uint16_t id);
  const TTextGeometry* Text(uint16_t id);
  // A text field laid out with its initial text (TextFieldLibrary.cpp).
  const TEditTextGeometry* EditText(uint16_t id);
  std::shared_ptr<const TPcmSound> Sound(uint16_t id);

  // Problems met while decoding, one line each.
  const std::vector<std::string>& Warnings() const { return FWarnings; }

 private:
  const std::vector<QPainterPath>& Glyphs(uint16_t fontId);
  void Warn(uint16_t id, const std::string& what);
  // The glyphs a field's style is drawn with: an embedded font for fields that use
  // outlines, else the device font of the style's face.
  TGlyphSource* FieldGlyphs(const swf::TEditText& field, const TTextStyle& style);

  const swf::TMovie& FMovie;
  std::map<uint16_t, std::unique_ptr<TShapeGeometry>> FShapes;
  // Morphs at the ratios drawn lately (a tween asks for a new ratio every frame).
  static constexpr size_t MaxMorphs = 256;
  std::map<std::pair<uint16_t, uint16_t>, std::unique_ptr<TShapeGeometry>> FMorphs;
  std::map<uint16_t, std::unique_ptr<QImage>> FBitmaps;  // null entry: undecodable
  std::map<uint16_t, std::unique_ptr<TTextGeometry>> FTexts;
  std::map<uint16_t, std::vector<QPainterPath>> FGlyphs;
  std::map<uint16_t, std::vector<QPainterPath>> FFlatGlyphs;  // of FGlyphs
  std::map<uint16_t, std::unique_ptr<TEditTextGeometry>> FEditTexts;
  std::map<uint16_t, std::unique_ptr<TGlyphSource>> FEmbeddedFonts;
  std::map<std::tuple<std::string, bool, bool>, std::unique_ptr<TGlyphSource>> FDeviceFonts;  // family, bold, italic
  std::map<uint16_t, std::shared_ptr<const TPcmSound>> FSounds;
  uint64_t FPixels = 0;
  uint64_t FSoundFrames = 0;
  std::vector<std::string> FWarnings;
};

}  // namespace player
