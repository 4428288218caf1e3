#include "media/PictureKind.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>

#include "media/MediaError.h"

namespace media {

namespace {

bool StartsWith(const std::uint8_t* head, std::size_t size, std::string_view prefix, std::size_t at = 0) {
  return size >= at + prefix.size() && std::memcmp(head + at, prefix.data(), prefix.size()) == 0;
}

// An ISO media file ("....ftyp"): its major and compatible brands tell HEIF from AVIF.
TPictureKind IsoMediaKind(const std::uint8_t* head, std::size_t size) {
  if (!StartsWith(head, size, "ftyp", 4)) return TPictureKind::Unknown;
  const std::size_t boxSize = (std::size_t(head[0]) << 24) | (head[1] << 16) | (head[2] << 8) | head[3];
  const std::size_t end = std::min({size, boxSize, std::size_t(256)});
  bool heif = false;
  for (std::size_t at = 8; at + 4 <= end; at += 4) {
    if (at == 12) continue;  // the minor version
    const std::string_view brand(reinterpret_cast<const char*>(head + at), 4);
    if (brand == "avif" || brand == "avis") return TPictureKind::Avif;
    if (brand == "heic" || brand == "heix" || brand == "heim" || brand == "heis" || brand == "hevc" ||
        brand == "hevx" || brand == "mif1" || brand == "msf1")
      heif = true;
  }
  return heif ? TPictureKind::Heif : TPictureKind::Unknown;
}

// An SVG file: optional byte-order mark, white space, XML declaration, comments and a
// doctype before an <svg element, all within the first bytes.
bool LooksLikeSvg(const std::uint8_t* head, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(head), size);
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos || text[first] != '<') return false;
  return text.find("<svg") != std::string_view::npos;
}

}  // namespace

TPictureKind RecognisePicture(const std::uint8_t* head, std::size_t size) {
  if (size >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return TPictureKind::Jpeg;
  if (StartsWith(head, size, "\x89PNG\r\n\x1A\n")) return TPictureKind::Png;
  if (StartsWith(head, size, "GIF87a") || StartsWith(head, size, "GIF89a")) return TPictureKind::Gif;
  if (StartsWith(head, size, "BM")) return TPictureKind::Bmp;
  if (StartsWith(head, size, "RIFF") && StartsWith(head, size, "WEBP", 8)) return TPictureKind::WebP;
  if (TPictureKind iso = IsoMediaKind(head, size); iso != TPictureKind::Unknown) return iso;
  if (StartsWith(head, size, std::string_view("\0\0\1\0", 4))) return TPictureKind::Icon;
  if (StartsWith(head, size, "\xD7\xCD\xC6\x9A") || StartsWith(head, size, " EMF", 40)) return TPictureKind::Metafile;
  if (LooksLikeSvg(head, size)) return TPictureKind::Svg;
  return TPictureKind::Unknown;
}

std::vector<std::uint8_t> ReadFileHead(const std::string& path, std::size_t count, const std::string& what) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TMediaError("Cannot open the " + what + " file \"" + path + "\": " + std::strerror(errno) + ".");
  std::vector<std::uint8_t> head(count);
  in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(count));
  head.resize(static_cast<std::size_t>(in.gcount()));
  return head;
}

const char* PictureKindName(TPictureKind kind) {
  switch (kind) {
    case TPictureKind::Jpeg: return "JPEG";
    case TPictureKind::Png: return "PNG";
    case TPictureKind::Gif: return "GIF";
    case TPictureKind::Bmp: return "BMP";
    case TPictureKind::WebP: return "WebP";
    case TPictureKind::Heif: return "HEIF";
    case TPictureKind::Avif: return "AVIF";
    case TPictureKind::Svg: return "SVG";
    case TPictureKind::Icon: return "icon";
    case TPictureKind::Metafile: return "metafile";
    case TPictureKind::Unknown: break;
  }
  return "unknown";
}

}  // namespace media
