#include "swf/reader/MovieDescription.h"

#include <cstdio>
#include <sstream>

#include "swf/format/TagCodes.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"

namespace swf {
namespace {

std::string Number(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return buf;
}

std::string Fixed16(int32_t v) { return Number(v / 65536.0); }

std::string ColorText(const TRgba& c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", c.R, c.G, c.B);
  return buf;
}

// Length of the valid UTF-8 sequence starting at s[i], or 0.
size_t Utf8Length(const std::string& s, size_t i) {
  unsigned char c = s[i];
  size_t n = c >= 0xF0 && c <= 0xF4 ? 4 : c >= 0xE0 ? 3 : c >= 0xC2 && c < 0xE0 ? 2 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return 0;
  return n;
}

// Strings from old movies may be in a single-byte code page: bytes that are not UTF-8 are
// written as the Latin-1 character of the same number, so the document stays valid.
std::string JsonString(const std::string& s) {
  std::string out = "\"";
  for (size_t i = 0; i < s.size(); ++i) {
    unsigned char c = s[i];
    char buf[8];
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else if (c < 0x80) {
          out += static_cast<char>(c);
        } else if (size_t n = Utf8Length(s, i)) {
          out.append(s, i, n);
          i += n - 1;
        } else {
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        }
    }
  }
  return out + "\"";
}

std::string MatrixText(const TMatrix& m) {
  return "[" + Fixed16(m.A) + " " + Fixed16(m.B) + " " + Fixed16(m.C) + " " + Fixed16(m.D) +
         " " + std::to_string(m.TX) + " " + std::to_string(m.TY) + "]";
}

std::string CxFormText(const TCxForm& c) {
  if (c.IsIdentity()) return "none";
  auto four = [](int a, int b, int c2, int d) {
    return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c2) + "," +
           std::to_string(d);
  };
  return "mult " + four(c.RMult, c.GMult, c.BMult, c.AMult) + " add " +
         four(c.RAdd, c.GAdd, c.BAdd, c.AAdd);
}

std::string MatrixJson(const TMatrix& m) {
  return "{\"a\":" + Fixed16(m.A) + ",\"b\":" + Fixed16(m.B) + ",\"c\":" + Fixed16(m.C) +
         ",\"d\":" + Fixed16(m.D) + ",\"tx\":" + std::to_string(m.TX) +
         ",\"ty\":" + std::to_string(m.TY) + "}";
}

std::string CxFormJson(const TCxForm& c) {
  auto four = [](int a, int b, int c2, int d) {
    return "[" + std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c2) + "," +
           std::to_string(d) + "]";
  };
  return "{\"mult\":" + four(c.RMult, c.GMult, c.BMult, c.AMult) +
         ",\"add\":" + four(c.RAdd, c.GAdd, c.BAdd, c.AAdd) + "}";
}

std::string DescribeText(const TSwfFile& file, const TMovie& movie) {
  std::ostringstream out;
  const THeader& h = file.Header();
  out << "Movie: " << h.Signature << "WS version " << int(h.Version) << ", file length "
      << h.FileLength << "\n";
  // In double: the difference of two extreme 31-bit values does not fit an int.
  double width = (double(h.FrameSize.XMax) - h.FrameSize.XMin) / 20.0;
  double height = (double(h.FrameSize.YMax) - h.FrameSize.YMin) / 20.0;
  out << "Stage: " << Number(width) << " x " << Number(height) << " px (twips " << h.FrameSize.XMin
      << ".." << h.FrameSize.XMax << " x " << h.FrameSize.YMin << ".." << h.FrameSize.YMax << ")\n";
  out << "Frame rate: " << Number(h.FrameRate / 256.0) << " fps\n";
  out << "Frames: " << h.FrameCount << "\n";
  if (movie.BackgroundColor) out << "Background: " << ColorText(*movie.BackgroundColor) << "\n";
  out << "Tags: " << file.Tags().size() << "\n";
  for (const TTagRecord& tag : file.Tags())
    out << "  " << TagName(tag.Code) << " (" << tag.Code << ") size " << tag.BodySize
        << " at " << tag.Offset << "\n";
  TDisplayList list;
  for (uint32_t f = 0; f < movie.Timeline.FrameCount; ++f) {
    const TFrame& frame = movie.Timeline.Frame(f);
    list.ApplyFrame(frame);
    out << "Frame " << f;
    if (frame.Label) out << " \"" << *frame.Label << "\"";
    out << ":\n";
    for (const auto& [depth, obj] : list.Objects())
      out << "  depth " << depth << ": id " << obj.CharacterId << " matrix "
          << MatrixText(obj.Matrix) << " cxform " << CxFormText(obj.CxForm) << "\n";
  }
  if (!movie.Warnings.empty()) {
    out << "Warnings:\n";
    for (const std::string& w : movie.Warnings) out << "  " << w << "\n";
  }
  return out.str();
}

std::string DescribeJson(const TSwfFile& file, const TMovie& movie) {
  std::ostringstream out;
  const THeader& h = file.Header();
  out << "{\"signature\":" << JsonString(std::string(1, h.Signature) + "WS")
      << ",\"version\":" << int(h.Version) << ",\"fileLength\":" << h.FileLength
      << ",\"frameSize\":{\"xMin\":" << h.FrameSize.XMin << ",\"xMax\":" << h.FrameSize.XMax
      << ",\"yMin\":" << h.FrameSize.YMin << ",\"yMax\":" << h.FrameSize.YMax << "}"
      << ",\"frameRate\":" << Number(h.FrameRate / 256.0) << ",\"frameCount\":" << h.FrameCount
      << ",\"backgroundColor\":"
      << (movie.BackgroundColor ? JsonString(ColorText(*movie.BackgroundColor)) : "null")
      << ",\"tags\":[";
  bool first = true;
  for (const TTagRecord& tag : file.Tags()) {
    out << (first ? "" : ",") << "{\"name\":" << JsonString(TagName(tag.Code))
        << ",\"code\":" << tag.Code << ",\"size\":" << tag.BodySize << ",\"offset\":" << tag.Offset
        << "}";
    first = false;
  }
  out << "],\"frames\":[";
  TDisplayList list;
  for (uint32_t f = 0; f < movie.Timeline.FrameCount; ++f) {
    const TFrame& frame = movie.Timeline.Frame(f);
    list.ApplyFrame(frame);
    out << (f ? "," : "") << "{\"frame\":" << f
        << ",\"label\":" << (frame.Label ? JsonString(*frame.Label) : "null")
        << ",\"displayList\":[";
    bool firstObj = true;
    for (const auto& [depth, obj] : list.Objects()) {
      out << (firstObj ? "" : ",") << "{\"depth\":" << depth << ",\"id\":" << obj.CharacterId
          << ",\"matrix\":" << MatrixJson(obj.Matrix) << ",\"cxform\":" << CxFormJson(obj.CxForm)
          << "}";
      firstObj = false;
    }
    out << "]}";
  }
  out << "],\"warnings\":[";
  for (size_t i = 0; i < movie.Warnings.size(); ++i)
    out << (i ? "," : "") << JsonString(movie.Warnings[i]);
  out << "]}\n";
  return out.str();
}

}  // namespace

std::string DescribeMovie(const TSwfFile& file, bool json) {
  TMovie movie = ParseMovie(file);
  return json ? DescribeJson(file, movie) : DescribeText(file, movie);
}

}  // namespace swf
