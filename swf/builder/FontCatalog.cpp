#include "swf/builder/FontCatalog.h"

#include <fontconfig/fontconfig.h>
#include <zlib.h>

#include FT_OUTLINE_H

#include "swf/format/SwfError.h"

namespace swf {
namespace {

// FreeType's outline walk, collecting commands in font units.
struct TDecomposer {
  static int Move(const FT_Vector* to, void* user) { return Add(user, TGlyphOutline::TCommand::Move, {to}); }
  static int Line(const FT_Vector* to, void* user) { return Add(user, TGlyphOutline::TCommand::Line, {to}); }
  static int Conic(const FT_Vector* control, const FT_Vector* to, void* user) {
    return Add(user, TGlyphOutline::TCommand::Quad, {control, to});
  }
  static int Cubic(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
    return Add(user, TGlyphOutline::TCommand::Cubic, {c1, c2, to});
  }
  static int Add(void* user, TGlyphOutline::TCommand::TKind kind, std::initializer_list<const FT_Vector*> points) {
    TGlyphOutline::TCommand command{kind, {}};
    int i = 0;
    for (const FT_Vector* p : points) {
      command.Points[i++] = static_cast<float>(p->x);
      command.Points[i++] = static_cast<float>(p->y);
    }
    static_cast<TGlyphOutline*>(user)->Commands.push_back(command);
    return 0;
  }
};

}  // namespace

TFontFace::TFontFace(FT_Library library, const std::string& file, int index) {
  if (FT_New_Face(library, file.c_str(), index, &FFace) != 0) {
    FFace = nullptr;
    return;
  }
  // Colour bitmap fonts have only strikes of fixed sizes; their pictures are scaled.
  FColourBitmaps = FT_HAS_COLOR(FFace) && FT_HAS_FIXED_SIZES(FFace);
  if (!FT_IS_SCALABLE(FFace) && !FColourBitmaps) return;
  if (FColourBitmaps) {
    int largest = 0;
    for (int i = 1; i < FFace->num_fixed_sizes; ++i)
      if (FFace->available_sizes[i].y_ppem > FFace->available_sizes[largest].y_ppem) largest = i;
    if (FT_Select_Size(FFace, largest) != 0) FColourBitmaps = false;
  }
  FBlob = hb_blob_create_from_file_or_fail(file.c_str());
  if (!FBlob) return;
  FHbFace = hb_face_create(FBlob, static_cast<unsigned>(index & 0xFFFF));
  FFont = hb_font_create(FHbFace);  // scale = units per em: positions come in font units
  // A font of bitmaps alone leaves FreeType's units per em at 0; its head table has them.
  FUnitsPerEm = FFace->units_per_EM ? FFace->units_per_EM : hb_face_get_upem(FHbFace);
  if (FUnitsPerEm <= 0) {
    hb_font_destroy(FFont);
    FFont = nullptr;
    return;
  }
  FAscender = FFace->ascender > 0 ? FFace->ascender : FUnitsPerEm * 0.8;
  FLineHeight = FFace->height > 0 ? FFace->height : FUnitsPerEm * 1.2;
}

TFontFace::~TFontFace() {
  if (FFont) hb_font_destroy(FFont);
  if (FHbFace) hb_face_destroy(FHbFace);
  if (FBlob) hb_blob_destroy(FBlob);
  if (FFace) FT_Done_Face(FFace);
}

bool TFontFace::HasChar(char32_t c) const {
  hb_codepoint_t glyph = 0;
  return FFont && hb_font_get_nominal_glyph(FFont, c, &glyph) && glyph != 0;
}

const TGlyphOutline& TFontFace::Outline(uint32_t glyph) {
  auto [it, added] = FOutlines.try_emplace(glyph);
  if (!added) return it->second;
  TGlyphOutline& outline = it->second;
  if (FT_Load_Glyph(FFace, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      FFace->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return outline;  // drawn as nothing
  }
  FT_Outline* source = &FFace->glyph->outline;
  FT_Outline_Funcs funcs{};
  funcs.move_to = TDecomposer::Move;
  funcs.line_to = TDecomposer::Line;
  funcs.conic_to = TDecomposer::Conic;
  funcs.cubic_to = TDecomposer::Cubic;
  if (FT_Outline_Decompose(source, &funcs, &outline) != 0) outline.Commands.clear();
  // TrueType draws outer contours clockwise (ink on the right), PostScript fonts the other way.
  outline.Ink = FT_Outline_Get_Orientation(source) == FT_ORIENTATION_POSTSCRIPT ? TInkSide::Left : TInkSide::Right;
  return outline;
}

const TGlyphPicture& TFontFace::Picture(uint32_t glyph) {
  auto [it, added] = FPictures.try_emplace(glyph);
  if (!added || !FColourBitmaps) return it->second;
  TGlyphPicture& picture = it->second;
  if (FT_Load_Glyph(FFace, glyph, FT_LOAD_COLOR) != 0) return picture;
  const FT_GlyphSlot slot = FFace->glyph;
  const FT_Bitmap& source = slot->bitmap;
  const double xPpem = FFace->size->metrics.x_ppem, yPpem = FFace->size->metrics.y_ppem;
  if (source.pixel_mode != FT_PIXEL_MODE_BGRA || source.width == 0 || source.rows == 0 || source.width > 1024 ||
      source.rows > 1024 || xPpem <= 0 || yPpem <= 0) {
    return picture;
  }
  // FreeType gives premultiplied BGRA rows; DefineBitsLossless2 wants premultiplied ARGB.
  std::vector<uint8_t> argb;
  argb.reserve(static_cast<size_t>(source.width) * source.rows * 4);
  for (unsigned row = 0; row < source.rows; ++row) {
    const uint8_t* p = source.buffer + static_cast<ptrdiff_t>(row) * source.pitch;
    for (unsigned x = 0; x < source.width; ++x, p += 4) argb.insert(argb.end(), {p[3], p[2], p[1], p[0]});
  }
  uLongf size = compressBound(static_cast<uLong>(argb.size()));
  auto bitmap = std::make_shared<TBitmapData>();
  bitmap->Lossless.resize(size);
  if (compress2(bitmap->Lossless.data(), &size, argb.data(), static_cast<uLong>(argb.size()), 6) != Z_OK) return picture;
  bitmap->Lossless.resize(size);
  bitmap->Width = static_cast<int>(source.width);
  bitmap->Height = static_cast<int>(source.rows);
  picture.Bitmap = std::move(bitmap);
  picture.Left = slot->bitmap_left * FUnitsPerEm / xPpem;
  picture.Top = slot->bitmap_top * FUnitsPerEm / yPpem;
  picture.Width = source.width * FUnitsPerEm / xPpem;
  picture.Height = source.rows * FUnitsPerEm / yPpem;
  return picture;
}

struct TFontCatalog::TFamily {
  TFontFace* Primary = nullptr;
  FcFontSet* Sorted = nullptr;  // every installed font, best match first
  std::unordered_map<char32_t, TFontFace*> ForChar;
};

TFontCatalog& TFontCatalog::Instance() {
  static TFontCatalog catalog;
  return catalog;
}

TFontCatalog::TFontCatalog() {
  FcInit();
  if (FT_Init_FreeType(&FLibrary) != 0) FLibrary = nullptr;
}

TFontCatalog::~TFontCatalog() {
  for (auto& [name, family] : FFamilies) {
    if (family->Sorted) FcFontSetDestroy(family->Sorted);
  }
  FFaces.clear();
  if (FLibrary) FT_Done_FreeType(FLibrary);
}

TFontFace* TFontCatalog::Load(const std::string& file, int index) {
  auto key = std::make_pair(file, index);
  auto it = FFaces.find(key);
  if (it == FFaces.end()) it = FFaces.emplace(key, std::make_unique<TFontFace>(FLibrary, file, index)).first;
  return it->second->Loaded() ? it->second.get() : nullptr;
}

TFontCatalog::TFamily& TFontCatalog::Family(const std::string& name, TFontStyle style) {
  const auto key = std::make_pair(name, style);
  auto found = FFamilies.find(key);
  if (found != FFamilies.end()) return *found->second;
  auto family = std::make_unique<TFamily>();
  if (FLibrary) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
    if (style.Bold) FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_BOLD);
    if (style.Italic) FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ITALIC);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    family->Sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    FcPatternDestroy(pattern);
  }
  for (int i = 0; family->Sorted && i < family->Sorted->nfont && !family->Primary; ++i) {
    FcChar8* file = nullptr;
    int index = 0;
    FcPattern* font = family->Sorted->fonts[i];
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    family->Primary = Load(reinterpret_cast<const char*>(file), index);
  }
  auto& result = *family;
  FFamilies.emplace(key, std::move(family));
  return result;
}

TFontFace& TFontCatalog::Primary(const std::string& family, TFontStyle style) {
  TFamily& f = Family(family, style);
  if (!f.Primary) throw TSwfError("No font is installed to draw the text with (font \"" + family + "\")");
  return *f.Primary;
}

TFontFace& TFontCatalog::ForChar(const std::string& familyName, char32_t c, TFontStyle style) {
  TFontFace& primary = Primary(familyName, style);
  if (primary.HasChar(c)) return primary;
  TFamily& family = Family(familyName, style);
  auto cached = family.ForChar.find(c);
  if (cached != family.ForChar.end()) return *cached->second;
  TFontFace* chosen = &primary;
  for (int i = 0; family.Sorted && i < family.Sorted->nfont; ++i) {
    FcPattern* font = family.Sorted->fonts[i];
    FcCharSet* chars = nullptr;
    FcChar8* file = nullptr;
    int index = 0;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) != FcResultMatch || !FcCharSetHasChar(chars, c)) continue;
    if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) continue;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    TFontFace* face = Load(reinterpret_cast<const char*>(file), index);
    if (face && face->HasChar(c)) {
      chosen = face;
      break;
    }
  }
  family.ForChar[c] = chosen;
  return *chosen;
}

}  // namespace swf
