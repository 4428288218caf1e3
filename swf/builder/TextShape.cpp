#include "swf/builder/TextShape.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

#include "swf/builder/FontCatalog.h"
#include "swf/builder/ShapeEncoder.h"
#include "swf/builder/TextRuns.h"
#include "swf/format/SwfTypes.h"

namespace swf {
namespace {

constexpr double ReferenceHeight = 1000;  // twips: any height lays out the same glyphs

struct TPlacedGlyph {
  TFontFace* Face;
  uint32_t Glyph;
  double X, Y;   // pen position in twips, Y the baseline (pointing down)
  double Scale;  // twips per font unit
};

struct TLayout {
  std::vector<TPlacedGlyph> Glyphs;
  double Width = 0;
};

// Splits the text into lines of drawable characters.
std::vector<std::u32string> Lines(const std::string& text) {
  std::vector<std::u32string> lines(1);
  for (char32_t c : DecodeUtf8(text)) {
    if (c == U'\n') {
      lines.emplace_back();
    } else if (c == U'\t') {
      lines.back().push_back(U' ');
    } else if (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c < 0xA0)) {
      lines.back().push_back(c);
    }
  }
  return lines;
}

// Shapes one run of the line; the rest of the line is its context (joining forms at the
// run's ends). Returns the pen's new x.
double ShapeRun(const std::u32string& line, const TTextRun& run, double penX, double baseline, double height,
                std::vector<TPlacedGlyph>& out) {
  TFontFace& face = *run.Face;
  hb_buffer_t* buffer = hb_buffer_create();
  hb_buffer_add_utf32(buffer, reinterpret_cast<const uint32_t*>(line.data()), static_cast<int>(line.size()),
                      static_cast<unsigned>(run.Start), static_cast<int>(run.End - run.Start));
  hb_buffer_set_direction(buffer, run.RightToLeft ? HB_DIRECTION_RTL : HB_DIRECTION_LTR);
  hb_buffer_set_script(buffer, run.Script);
  hb_buffer_guess_segment_properties(buffer);  // the language
  hb_shape(face.Font(), buffer, nullptr, 0);
  unsigned n = 0;
  hb_glyph_info_t* infos = hb_buffer_get_glyph_infos(buffer, &n);
  hb_glyph_position_t* positions = hb_buffer_get_glyph_positions(buffer, &n);
  double scale = height / face.UnitsPerEm();
  // Glyphs come in visual order, left to right, for either direction.
  for (unsigned i = 0; i < n; ++i) {
    out.push_back({&face, infos[i].codepoint, penX + positions[i].x_offset * scale,
                   baseline - positions[i].y_offset * scale, scale});
    penX += positions[i].x_advance * scale;
  }
  hb_buffer_destroy(buffer);
  return penX;
}

// Needs the catalog's lock.
TLayout LayOut(const std::string& fontName, const std::string& text, double height) {
  TLayout layout;
  if (!(height > 0)) return layout;
  TFontCatalog& catalog = TFontCatalog::Instance();
  TFontFace& primary = catalog.Primary(fontName);
  double primaryScale = height / primary.UnitsPerEm();
  double baseline = primary.Ascender() * primaryScale;
  for (const std::u32string& line : Lines(text)) {
    double penX = 0;
    auto faceFor = [&](char32_t c) -> TFontFace& { return catalog.ForChar(fontName, c); };
    for (const TTextRun& run : VisualRuns(line, faceFor)) {
      penX = ShapeRun(line, run, penX, baseline, height, layout.Glyphs);
    }
    layout.Width = std::max(layout.Width, penX);
    baseline += primary.LineHeight() * primaryScale;
  }
  return layout;
}

void AddGlyph(TShapeEncoder& shape, TPlacedGlyph& glyph) {
  const TGlyphOutline& outline = glyph.Face->Outline(glyph.Glyph);
  double s = glyph.Scale;
  // Font units point up; twips point down.
  auto x = [&](float v) { return glyph.X + v * s; };
  auto y = [&](float v) { return glyph.Y - v * s; };
  for (const auto& c : outline.Commands) {
    const float* p = c.Points;
    switch (c.Kind) {
      case TGlyphOutline::TCommand::Move: shape.MoveTo(x(p[0]), y(p[1]), outline.Ink); break;
      case TGlyphOutline::TCommand::Line: shape.LineTo(x(p[0]), y(p[1])); break;
      case TGlyphOutline::TCommand::Quad: shape.QuadTo(x(p[0]), y(p[1]), x(p[2]), y(p[3])); break;
      case TGlyphOutline::TCommand::Cubic:
        shape.CubicTo(x(p[0]), y(p[1]), x(p[2]), y(p[3]), x(p[4]), y(p[5]));
        break;
    }
  }
  shape.ClosePath();
}

// Maps the picture's pixels onto its box: 16.16 scale, translation in twips.
TMatrix PictureFillMatrix(const TTextPicture& picture) {
  TMatrix matrix;
  const auto ratio = [](double twips, int pixels) {
    return static_cast<int32_t>(std::lround(twips * 65536.0 / std::max(1, pixels)));
  };
  matrix.A = ratio(picture.Width, picture.Bitmap->Width);
  matrix.D = ratio(picture.Height, picture.Bitmap->Height);
  matrix.TX = static_cast<int32_t>(std::lround(picture.X));
  matrix.TY = static_cast<int32_t>(std::lround(picture.Y));
  return matrix;
}

}  // namespace

std::u32string DecodeUtf8(const std::string& text) {
  std::u32string out;
  const auto* s = reinterpret_cast<const unsigned char*>(text.data());
  size_t n = text.size(), i = 0;
  while (i < n) {
    unsigned char b = s[i];
    int length = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
    char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
    bool ok = length > 0 && i + length <= n;
    for (int k = 1; ok && k < length; ++k) {
      ok = (s[i + k] & 0xC0) == 0x80;
      c = (c << 6) | (s[i + k] & 0x3F);
    }
    static const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (ok && (c < least[length] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
    out.push_back(ok ? c : U'\uFFFD');
    i += ok ? length : 1;
  }
  return out;
}

TTextShape MakeTextShape(const std::string& fontName, const std::string& text, double height, TRgba colour) {
  TTextShape made;
  TShapeEncoder shape;
  std::vector<TPlacedGlyph> outlined;
  {
    std::lock_guard<std::mutex> lock(TFontCatalog::Instance().Lock());
    TLayout layout = LayOut(fontName, text, height);
    for (TPlacedGlyph& glyph : layout.Glyphs) {
      if (glyph.Face->ColourBitmaps()) {
        const TGlyphPicture& picture = glyph.Face->Picture(glyph.Glyph);
        if (picture.Bitmap) {
          made.Pictures.push_back({picture.Bitmap, glyph.X + picture.Left * glyph.Scale,
                                   glyph.Y - picture.Top * glyph.Scale, picture.Width * glyph.Scale,
                                   picture.Height * glyph.Scale});
          continue;
        }
      }
      AddGlyph(shape, glyph);
      outlined.push_back(glyph);
    }
  }
  made.Body = shape.Body(TShapeEncoder::SolidFill(colour));
  if (made.Pictures.empty()) return made;
  // The faces stay in the catalog for the whole run, so the glyphs can be drawn again later.
  made.BodyWithPictures = [outlined, pictures = made.Pictures, colour](const std::vector<uint16_t>& ids) mutable {
    TShapeEncoder layers;
    layers.NewFill(TShapeEncoder::SolidFill(colour));
    {
      std::lock_guard<std::mutex> lock(TFontCatalog::Instance().Lock());
      for (TPlacedGlyph& glyph : outlined) AddGlyph(layers, glyph);
    }
    for (size_t i = 0; i < pictures.size() && i < ids.size(); ++i) {
      const TTextPicture& picture = pictures[i];
      layers.NewFill(TShapeEncoder::ClippedBitmapFill(ids[i], PictureFillMatrix(picture)));
      layers.MoveTo(picture.X, picture.Y, TInkSide::Right);
      layers.LineTo(picture.X + picture.Width, picture.Y);
      layers.LineTo(picture.X + picture.Width, picture.Y + picture.Height);
      layers.LineTo(picture.X, picture.Y + picture.Height);
      layers.ClosePath();
    }
    return layers.Shape4Body(true);
  };
  return made;
}

bool HasColourGlyphs(const std::string& fontName, const std::string& text) {
  // Colour fonts draw pictographs, all above U+2000: most texts need no layout to tell.
  const std::u32string characters = DecodeUtf8(text);
  if (std::none_of(characters.begin(), characters.end(), [](char32_t c) { return c >= 0x2000; })) return false;
  std::lock_guard<std::mutex> lock(TFontCatalog::Instance().Lock());
  for (TPlacedGlyph& glyph : LayOut(fontName, text, ReferenceHeight).Glyphs)
    if (glyph.Face->ColourBitmaps() && glyph.Face->Picture(glyph.Glyph).Bitmap) return true;
  return false;
}

namespace {

// Shapes made before, by font, text, height and colour. The editor renders the whole card
// at every edit, and all texts but the edited one come out the same: shaping and outlining
// them again was a good part of each edit. Emptied whole when it grows past its limit.
class TShapeCache {
 public:
  std::optional<std::vector<uint8_t>> Find(const std::string& key) {
    std::lock_guard<std::mutex> lock(FLock);
    auto it = FBodies.find(key);
    if (it == FBodies.end()) return std::nullopt;
    return it->second;
  }
  void Keep(std::string key, const std::vector<uint8_t>& body) {
    std::lock_guard<std::mutex> lock(FLock);
    if (FBytes + key.size() + body.size() > MaxBytes) {
      FBodies.clear();
      FBytes = 0;
    }
    FBytes += key.size() + body.size();
    FBodies.emplace(std::move(key), body);
  }

 private:
  static constexpr size_t MaxBytes = 32u << 20;
  std::mutex FLock;
  std::unordered_map<std::string, std::vector<uint8_t>> FBodies;
  size_t FBytes = 0;
};

std::string ShapeKey(const std::string& fontName, const std::string& text, double height, TRgba colour) {
  std::string key;
  key.reserve(fontName.size() + text.size() + sizeof height + 6);
  key.append(reinterpret_cast<const char*>(&height), sizeof height);
  key += static_cast<char>(colour.R);
  key += static_cast<char>(colour.G);
  key += static_cast<char>(colour.B);
  key += static_cast<char>(colour.A);
  key += fontName;
  key += '\0';
  key += text;
  return key;
}

}  // namespace

std::vector<uint8_t> TextShapeBody(const std::string& fontName, const std::string& text, double height,
                                   TRgba colour) {
  static TShapeCache cache;
  std::string key = ShapeKey(fontName, text, height, colour);
  if (auto body = cache.Find(key)) return std::move(*body);
  std::vector<uint8_t> body = MakeTextShape(fontName, text, height, colour).Body;
  cache.Keep(std::move(key), body);
  return body;
}

double TextLineHeight(const std::string& fontName, double height) {
  if (!(height > 0)) return 0;
  std::lock_guard<std::mutex> lock(TFontCatalog::Instance().Lock());
  TFontFace& primary = TFontCatalog::Instance().Primary(fontName);
  return primary.LineHeight() * height / primary.UnitsPerEm();
}

double TextAdvanceWidth(const std::string& fontName, const std::string& text, double height) {
  std::lock_guard<std::mutex> lock(TFontCatalog::Instance().Lock());
  return LayOut(fontName, text, height).Width;
}

}  // namespace swf
