// Text fields of the character library: their markup read, their fonts chosen, their
// lines laid out once.
#include "player/render/CharacterLibrary.h"

namespace player {

namespace {

// The generic device font names of movies, as fontconfig knows them.
std::string DeviceFamily(const std::string& face) {
  if (face == "_sans") return "sans-serif";
  if (face == "_serif") return "serif";
  if (face == "_typewriter") return "monospace";
  return face.empty() ? "sans-serif" : face;
}

std::string Trimmed(std::string name) {
  while (!name.empty() && name.back() == '\0') name.pop_back();
  return name;
}

}  // namespace

TGlyphSource* TCharacterLibrary::FieldGlyphs(const swf::TEditText& field, const TTextStyle& style) {
  if (field.UseOutlines) {
    // The movie's font of the style's face, bold and italic as asked when there is such a
    // cut (a run of <b> in a field of the regular cut takes the bold one), else another
    // cut of that face, else the field's own font.
    const swf::TFont* own = field.FontId ? FMovie.Find<swf::TFont>(*field.FontId) : nullptr;
    auto named = [&](const swf::TFont& font) { return Trimmed(font.Name) == style.Face; };
    auto fits = [&](const swf::TFont& font) {
      return named(font) && font.Bold == style.Bold && font.Italic == style.Italic;
    };
    const swf::TFont* chosen = own;
    if (own && !fits(*own)) {
      const swf::TFont* sameFace = named(*own) ? own : nullptr;
      const swf::TFont* exact = nullptr;
      for (const auto& [id, character] : FMovie.Characters) {
        const auto* font = std::get_if<swf::TFont>(&character);
        if (!font || font->Glyphs.empty() || !named(*font)) continue;
        if (!sameFace) sameFace = font;
        if (!exact && fits(*font)) exact = font;
      }
      chosen = exact ? exact : sameFace ? sameFace : own;
    }
    if (chosen && !chosen->Glyphs.empty()) {
      auto& source = FEmbeddedFonts[chosen->Id];
      if (!source) source = EmbeddedGlyphs(*chosen, Glyphs(chosen->Id));
      return source.get();
    }
  }
  const std::string family = DeviceFamily(style.Face);
  auto& source = FDeviceFonts[{family, style.Bold, style.Italic}];
  if (!source) source = DeviceGlyphs(family, style.Bold, style.Italic);
  return source.get();
}

const TEditTextGeometry* TCharacterLibrary::EditText(uint16_t id) {
  auto found = FEditTexts.find(id);
  if (found != FEditTexts.end()) return found->second.get();
  const swf::TEditText* field = FMovie.Find<swf::TEditText>(id);
  if (!field) return nullptr;
  TTextStyle base;
  const swf::TFont* font = field->FontId ? FMovie.Find<swf::TFont>(*field->FontId) : nullptr;
  if (font) {
    base.Face = Trimmed(font->Name);
    base.Bold = font->Bold;
    base.Italic = font->Italic;
  } else if (!field->FontClass.empty()) {
    base.Face = field->FontClass;
  }
  base.Size = field->FontHeight > 0 ? field->FontHeight : 240;
  base.Color = field->Color.value_or(swf::TRgba{0, 0, 0, 255});
  const QString text = QString::fromStdString(field->InitialText.value_or(std::string()));
  const std::vector<TParagraph> paragraphs = field->Html
                                                 ? ParseHtmlText(text, base, FieldFormat(*field))
                                                 : ParsePlainText(text, base, FieldFormat(*field));
  auto geometry = std::make_unique<TEditTextGeometry>(LayOutEditText(
      *field, paragraphs, [&](const TTextStyle& style) { return FieldGlyphs(*field, style); }));
  return FEditTexts.emplace(id, std::move(geometry)).first->second.get();
}

}  // namespace player
