#include "player/render/CharacterLibrary.h"

#include "player/audio/SoundDecoder.h"
#include "player/bitmap/BitmapDecoder.h"
#include "player/render/HardEdgeFill.h"
#include "player/render/MatrixConvert.h"
#include "player/render/MorphGeometry.h"

namespace player {

QPainterPath TTextGeometry::Outline() const {
  QPainterPath outline;
  outline.setFillRule(Qt::WindingFill);
  for (const TRun& run : Runs) outline.addPath(run.Path);
  return Matrix.map(outline);
}

void TCharacterLibrary::Warn(uint16_t id, const std::string& what) {
  if (FWarnings.size() < 100) FWarnings.push_back("character " + std::to_string(id) + ": " + what);
}

const TShapeGeometry* TCharacterLibrary::Shape(uint16_t id) {
  auto found = FShapes.find(id);
  if (found != FShapes.end()) return found->second.get();
  const swf::TShape* shape = FMovie.Find<swf::TShape>(id);
  if (!shape) return nullptr;
  auto geometry = std::make_unique<TShapeGeometry>(
      BuildShapeGeometry(shape->Styles, shape->Records, shape->UsesFillWindingRule));
  return FShapes.emplace(id, std::move(geometry)).first->second.get();
}

const TShapeGeometry* TCharacterLibrary::Morph(uint16_t id, uint16_t ratio) {
  auto found = FMorphs.find({id, ratio});
  if (found != FMorphs.end()) return found->second.get();
  const swf::TMorphShape* morph = FMovie.Find<swf::TMorphShape>(id);
  if (!morph) return nullptr;
  if (FMorphs.size() >= MaxMorphs) FMorphs.clear();
  auto geometry = std::make_unique<TShapeGeometry>(BuildMorphGeometry(*morph, ratio));
  return FMorphs.emplace(std::make_pair(id, ratio), std::move(geometry)).first->second.get();
}

const QImage* TCharacterLibrary::Bitmap(uint16_t id) {
  auto found = FBitmaps.find(id);
  if (found != FBitmaps.end()) return found->second.get();
  const swf::TBitmap* bitmap = FMovie.Find<swf::TBitmap>(id);
  if (!bitmap) return nullptr;
  std::unique_ptr<QImage> image;
  const uint64_t claimed = static_cast<uint64_t>(bitmap->Width) * bitmap->Height;
  if (FPixels + claimed > MaxTotalPixels) {
    Warn(id, "not decoded, the movie's pictures are too large together");
  } else {
    std::string error;
    QImage decoded = DecodeBitmap(*bitmap, FMovie.JpegTables, error);
    const uint64_t pixels = static_cast<uint64_t>(decoded.width()) * decoded.height();
    if (decoded.isNull()) {
      Warn(id, error);
    } else if (FPixels + pixels > MaxTotalPixels) {
      Warn(id, "not decoded, the movie's pictures are too large together");
    } else {
      FPixels += pixels;
      image = std::make_unique<QImage>(std::move(decoded));
    }
  }
  return FBitmaps.emplace(id, std::move(image)).first->second.get();
}

const std::vector<QPainterPath>& TCharacterLibrary::Glyphs(uint16_t fontId) {
  auto found = FGlyphs.find(fontId);
  if (found != FGlyphs.end()) return found->second;
  std::vector<QPainterPath> glyphs;
  if (const swf::TFont* font = FMovie.Find<swf::TFont>(fontId)) {
    glyphs.reserve(font->Glyphs.size());
    for (const auto& records : font->Glyphs) glyphs.push_back(BuildGlyphPath(records));
    std::vector<QPainterPath>& flat = FFlatGlyphs[fontId];
    for (const QPainterPath& glyph : glyphs) flat.push_back(FlattenedPath(glyph, DefaultFlatness));
  }
  return FGlyphs.emplace(fontId, std::move(glyphs)).first->second;
}

const TTextGeometry* TCharacterLibrary::Text(uint16_t id) {
  auto found = FTexts.find(id);
  if (found != FTexts.end()) return found->second.get();
  const swf::TText* text = FMovie.Find<swf::TText>(id);
  if (!text) return nullptr;
  auto geometry = std::make_unique<TTextGeometry>();
  geometry->Matrix = ToQTransform(text->Matrix);
  // Font, colour, position and height carry over from record to record.
  uint16_t fontId = 0;
  swf::TRgba color;
  double x = 0, y = 0, height = 0;
  size_t elements = 0;
  for (const swf::TTextRecord& record : text->Records) {
    if (record.FontId) fontId = *record.FontId;
    if (record.Color) color = *record.Color;
    if (record.XOffset) x = *record.XOffset;
    if (record.YOffset) y = *record.YOffset;
    if (record.Height) height = *record.Height;
    const std::vector<QPainterPath>& glyphs = Glyphs(fontId);
    const std::vector<QPainterPath>& flatGlyphs = FFlatGlyphs[fontId];
    const swf::TFont* font = FMovie.Find<swf::TFont>(fontId);
    const double scale = font ? height / font->EmSquare() : 0;
    TTextGeometry::TRun run;
    run.Color = color;
    for (const swf::TGlyphEntry& entry : record.Glyphs) {
      // Each glyph use copies the outline: a cap keeps a text repeating a huge glyph bounded.
      if (entry.Index < glyphs.size() && scale > 0 &&
          elements + glyphs[entry.Index].elementCount() <= MaxTextElements) {
        elements += glyphs[entry.Index].elementCount();
        QTransform place(scale, 0, 0, scale, x, y);
        run.Path.addPath(place.map(glyphs[entry.Index]));
        if (entry.Index < flatGlyphs.size()) run.FlatPath.addPath(place.map(flatGlyphs[entry.Index]));
      }
      x += entry.Advance;
    }
    if (!run.Path.isEmpty()) {
      geometry->Bounds |= run.Path.boundingRect();
      geometry->Runs.push_back(std::move(run));
    }
  }
  return FTexts.emplace(id, std::move(geometry)).first->second.get();
}

std::shared_ptr<const TPcmSound> TCharacterLibrary::Sound(uint16_t id) {
  auto found = FSounds.find(id);
  if (found != FSounds.end()) return found->second;
  const swf::TSound* sound = FMovie.Find<swf::TSound>(id);
  if (!sound) return nullptr;
  std::shared_ptr<const TPcmSound> decoded;
  if (FSoundFrames >= MaxTotalSoundFrames) {
    Warn(id, "not decoded, the movie's sounds are too long together");
  } else {
    try {
      auto pcm = std::make_shared<TPcmSound>(
          DecodeSound(sound->Format, sound->SampleCount, sound->Data.data(), sound->Data.size()));
      FSoundFrames += pcm->Frames();
      decoded = std::move(pcm);
    } catch (const std::exception& e) {
      Warn(id, e.what());
    }
  }
  return FSounds.emplace(id, decoded).first->second;
}

}  // namespace player
