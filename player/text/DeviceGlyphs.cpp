// Glyphs of an installed font, found by family through fontconfig (the catalog the movie
// builder uses): a character the family lacks comes from the first font that has it. Bold
// and italic come from the family's own cuts; a face without them is emboldened by a
// second copy of each glyph beside the first, and slanted by a shear.
#include <QTransform>

#include <mutex>

#include "player/text/GlyphSource.h"
#include "swf/builder/FontCatalog.h"

namespace player {

namespace {

// The width a made-up bold adds to strokes and advances, and the slant of a made-up
// italic (x per unit of height), as fractions of the size.
constexpr double FakeBold = 1.0 / 24;
constexpr double FakeSlant = 0.2;

class TDeviceGlyphs : public TGlyphSource {
 public:
  TDeviceGlyphs(std::string family, swf::TFontStyle style) : FFamily(std::move(family)), FStyle(style) {
    std::lock_guard<std::mutex> hold(swf::TFontCatalog::Instance().Lock());
    try {
      swf::TFontFace& face = swf::TFontCatalog::Instance().Primary(FFamily, FStyle);
      FAscent = face.Ascender() / face.UnitsPerEm();
      FLineHeight = face.LineHeight() / face.UnitsPerEm();
      FHasFont = true;
    } catch (const std::exception&) {
      // No font installed: nothing to draw with.
    }
  }

  double Ascent(double size) const override { return size * FAscent; }
  double Descent(double size) const override { return size * std::max(0.0, FLineHeight - FAscent); }
  bool Has(char32_t c) const override { return FHasFont && c >= 0x20; }

  double Advance(char32_t c, double size) override {
    std::lock_guard<std::mutex> hold(swf::TFontCatalog::Instance().Lock());
    swf::TFontFace* face = nullptr;
    const hb_codepoint_t glyph = Glyph(c, face);
    if (!face) return 0;
    const double advance = size * hb_font_get_glyph_h_advance(face->Font(), glyph) / face->UnitsPerEm();
    return advance + (FakesBold(*face) ? size * FakeBold : 0);
  }

  QPainterPath Path(char32_t c, double size) override {
    std::lock_guard<std::mutex> hold(swf::TFontCatalog::Instance().Lock());
    swf::TFontFace* face = nullptr;
    const hb_codepoint_t glyph = Glyph(c, face);
    QPainterPath path;
    if (!face) return path;
    const double s = size / face->UnitsPerEm();
    // Font units point up, twips down.
    auto at = [s](const float* p) { return QPointF(p[0] * s, -p[1] * s); };
    for (const auto& command : face->Outline(glyph).Commands) {
      const float* p = command.Points;
      switch (command.Kind) {
        case swf::TGlyphOutline::TCommand::Move: path.moveTo(at(p)); break;
        case swf::TGlyphOutline::TCommand::Line: path.lineTo(at(p)); break;
        case swf::TGlyphOutline::TCommand::Quad: path.quadTo(at(p), at(p + 2)); break;
        case swf::TGlyphOutline::TCommand::Cubic: path.cubicTo(at(p), at(p + 2), at(p + 4)); break;
      }
    }
    path.setFillRule(Qt::WindingFill);
    // Both copies wind the same way, so where they overlap stays filled and holes stay open.
    if (FakesBold(*face)) path.addPath(path.translated(size * FakeBold, 0));
    // y points down: the top of a glyph moves right.
    if (FStyle.Italic && !face->Italic()) path = QTransform(1, 0, -FakeSlant, 1, 0, 0).map(path);
    return path;
  }

 private:
  bool FakesBold(const swf::TFontFace& face) const { return FStyle.Bold && !face.Bold(); }

  // Needs the catalog's lock; face is left null when no font has the character.
  hb_codepoint_t Glyph(char32_t c, swf::TFontFace*& face) {
    if (!FHasFont) return 0;
    try {
      face = &swf::TFontCatalog::Instance().ForChar(FFamily, c, FStyle);
    } catch (const std::exception&) {
      face = nullptr;
      return 0;
    }
    hb_codepoint_t glyph = 0;
    hb_font_get_nominal_glyph(face->Font(), c, &glyph);
    return glyph;
  }

  std::string FFamily;
  swf::TFontStyle FStyle;
  double FAscent = 0.8, FLineHeight = 1.15;
  bool FHasFont = false;
};

}  // namespace

std::unique_ptr<TGlyphSource> DeviceGlyphs(const std::string& family, bool bold, bool italic) {
  return std::make_unique<TDeviceGlyphs>(family, swf::TFontStyle{bold, italic});
}

}  // namespace player
