// Glyphs of a font embedded in the movie.
#include <algorithm>
#include <map>

#include "player/text/GlyphSource.h"

namespace player {

namespace {

class TEmbeddedGlyphs : public TGlyphSource {
 public:
  TEmbeddedGlyphs(const swf::TFont& font, const std::vector<QPainterPath>& glyphs)
      : FFont(font), FGlyphs(glyphs) {
    for (size_t i = 0; i < font.Codes.size() && i < glyphs.size(); ++i) FIndex.emplace(font.Codes[i], i);
    for (const swf::TKerningPair& pair : font.Kerning)
      FKerning[{pair.Code1, pair.Code2}] = pair.Adjustment;
  }

  double Em() const { return FFont.EmSquare(); }
  // Fonts without layout get the usual proportions of a text face.
  double Ascent(double size) const override {
    return size * (FFont.HasLayout && FFont.Ascent ? FFont.Ascent / Em() : 0.8);
  }
  double Descent(double size) const override {
    return size * (FFont.HasLayout && FFont.Descent ? FFont.Descent / Em() : 0.2);
  }
  double Leading(double size) const override {
    return FFont.HasLayout ? size * FFont.Leading / Em() : 0;
  }
  bool Has(char32_t c) const override { return FIndex.count(c) != 0; }
  double Advance(char32_t c, double size) override {
    auto found = FIndex.find(c);
    if (found == FIndex.end()) return 0;
    if (found->second < FFont.Advances.size()) return size * FFont.Advances[found->second] / Em();
    // No layout: the glyph's own width and a little space.
    const QRectF box = FGlyphs[found->second].boundingRect();
    return size * (std::max(0.0, box.right()) + Em() / 20) / Em();
  }
  double Kerning(char32_t left, char32_t right, double size) override {
    auto found = FKerning.find({left, right});
    return found == FKerning.end() ? 0 : size * found->second / Em();
  }
  QPainterPath Path(char32_t c, double size) override {
    auto found = FIndex.find(c);
    if (found == FIndex.end()) return {};
    const double scale = size / Em();
    return QTransform::fromScale(scale, scale).map(FGlyphs[found->second]);
  }

 private:
  const swf::TFont& FFont;
  const std::vector<QPainterPath>& FGlyphs;
  std::map<char32_t, size_t> FIndex;
  std::map<std::pair<char32_t, char32_t>, int> FKerning;
};

}  // namespace

std::unique_ptr<TGlyphSource> EmbeddedGlyphs(const swf::TFont& font,
                                             const std::vector<QPainterPath>& glyphs) {
  return std::make_unique<TEmbeddedGlyphs>(font, glyphs);
}

}  // namespace player
