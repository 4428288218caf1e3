#include "media/SvgDocument.h"

#include <cairo-svg.h>
#include <cairo.h>
#include <librsvg/rsvg.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "media/MediaError.h"

namespace media {

namespace {

constexpr std::size_t MaxSvgBytes = 32 << 20;
constexpr double MaxSide = 8192;

struct TCairo {
  cairo_surface_t* Surface;
  cairo_t* Context;
  explicit TCairo(cairo_surface_t* surface) : Surface(surface), Context(cairo_create(surface)) {}
  ~TCairo() {
    cairo_destroy(Context);
    cairo_surface_destroy(Surface);
  }
};

struct TBoundedText {
  std::string Text;
  std::size_t MaxBytes;
  bool Overflowed = false;
};

cairo_status_t AppendText(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<TBoundedText*>(closure);
  if (out->Text.size() + length > out->MaxBytes) {
    out->Overflowed = true;
    return CAIRO_STATUS_WRITE_ERROR;
  }
  out->Text.append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

struct TSvgDocument::THandle {
  RsvgHandle* Handle = nullptr;
  ~THandle() {
    if (Handle) g_object_unref(Handle);
  }
};

TSvgDocument::TSvgDocument(const std::string& path) : FPath(path), FHandle(std::make_unique<THandle>()) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw TMediaError("Cannot open the picture file \"" + path + "\".");
  std::vector<char> bytes;
  bytes.resize(MaxSvgBytes + 1);
  file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(file.gcount()));
  if (bytes.size() > MaxSvgBytes) Refuse("the file is too large");
  GError* error = nullptr;
  // From bytes, with no base: the drawing cannot reach other files.
  FHandle->Handle = rsvg_handle_new_from_data(reinterpret_cast<const guint8*>(bytes.data()), bytes.size(), &error);
  if (!FHandle->Handle) {
    const std::string reason = error ? error->message : "it does not parse";
    if (error) g_error_free(error);
    Refuse(reason);
  }
  rsvg_handle_set_dpi(FHandle->Handle, 96);
  gdouble width = 0, height = 0;
  if (!rsvg_handle_get_intrinsic_size_in_pixels(FHandle->Handle, &width, &height)) {
    gboolean hasWidth, hasHeight, hasViewBox;
    RsvgLength w, h;
    RsvgRectangle viewBox;
    rsvg_handle_get_intrinsic_dimensions(FHandle->Handle, &hasWidth, &w, &hasHeight, &h, &hasViewBox, &viewBox);
    if (hasViewBox) {
      width = viewBox.width;
      height = viewBox.height;
    }
  }
  if (!(width >= 1 && height >= 1)) Refuse("it has no size");
  if (width > MaxSide || height > MaxSide) throw TMediaError("The picture \"" + path + "\" is too large to read.");
  FWidth = width;
  FHeight = height;
}

TSvgDocument::~TSvgDocument() = default;

void TSvgDocument::Refuse(const std::string& reason) const {
  throw TMediaError("The picture file \"" + FPath + "\" is not a readable SVG picture (" + reason + ").");
}

TRgbaFrame TSvgDocument::Draw(int width, int height) const {
  TCairo cairo(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  if (cairo_surface_status(cairo.Surface) != CAIRO_STATUS_SUCCESS) Refuse("out of memory");
  const RsvgRectangle viewport{0, 0, double(width), double(height)};
  GError* error = nullptr;
  if (!rsvg_handle_render_document(FHandle->Handle, cairo.Context, &viewport, &error)) {
    const std::string reason = error ? error->message : "it cannot be drawn";
    if (error) g_error_free(error);
    Refuse(reason);
  }
  cairo_surface_flush(cairo.Surface);
  TRgbaFrame frame;
  frame.Width = width;
  frame.Height = height;
  frame.Pixels.resize(std::size_t(width) * height * 4);
  const unsigned char* data = cairo_image_surface_get_data(cairo.Surface);
  const int stride = cairo_image_surface_get_stride(cairo.Surface);
  for (int y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(data + std::size_t(y) * stride);
    std::uint8_t* out = frame.Pixels.data() + std::size_t(y) * width * 4;
    for (int x = 0; x < width; ++x, out += 4) {
      // Premultiplied ARGB in the machine's byte order, made straight RGBA.
      const std::uint32_t p = row[x];
      const unsigned a = p >> 24;
      auto straight = [a](unsigned c) { return std::uint8_t(a ? std::min(255u, (c * 255 + a / 2) / a) : 0); };
      out[0] = straight((p >> 16) & 0xFF);
      out[1] = straight((p >> 8) & 0xFF);
      out[2] = straight(p & 0xFF);
      out[3] = std::uint8_t(a);
    }
  }
  return frame;
}

std::optional<std::string> TSvgDocument::PlainSvg(std::size_t maxBytes) const {
  TBoundedText out{{}, maxBytes};
  {
    TCairo cairo(cairo_svg_surface_create_for_stream(&AppendText, &out, FWidth, FHeight));
    // Pixels, not points: the plain drawing keeps the picture's own coordinates.
    cairo_svg_surface_set_document_unit(cairo.Surface, CAIRO_SVG_UNIT_PX);
    const RsvgRectangle viewport{0, 0, FWidth, FHeight};
    if (!rsvg_handle_render_document(FHandle->Handle, cairo.Context, &viewport, nullptr)) return std::nullopt;
    cairo_surface_finish(cairo.Surface);
    if (cairo_surface_status(cairo.Surface) != CAIRO_STATUS_SUCCESS) return std::nullopt;
  }
  if (out.Overflowed) return std::nullopt;
  return std::move(out.Text);
}

}  // namespace media
