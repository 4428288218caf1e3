#include "swf/reader/SwfFile.h"

#include <fstream>

#include "platform/InputFile.h"
#include "swf/format/SwfBitReader.h"
#include "swf/format/SwfError.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/Decompress.h"

namespace swf {
namespace {

std::string TagAt(uint16_t code, size_t offset) {
  return std::string("Tag ") + TagName(code) + " (" + std::to_string(code) + ") at byte " +
         std::to_string(offset);
}

// The body of a compressed movie, inflated and prefixed with the 8 header bytes so that
// offsets everywhere count from the start of the uncompressed file.
std::vector<uint8_t> Uncompress(std::span<const uint8_t> bytes, uint32_t fileLength,
                                std::vector<std::string>& warnings) {
  char signature = static_cast<char>(bytes[0]);
  // The header's length bounds the output; the absolute cap bounds a lying header.
  size_t limit = fileLength > 8 ? std::min<size_t>(fileLength, MaxMovieSize) - 8 : 0;
  TInflateResult body;
  // The body goes after room for the 8 header bytes: it is never copied.
  if (signature == 'C') {
    body = InflateZlib(bytes.subspan(8), limit, 8);
  } else {
    // ZWS: u32 compressed length, 5 bytes of LZMA properties, then the raw stream.
    if (bytes.size() < 17) throw TSwfError("The LZMA header of the movie is incomplete", -1, 8);
    body = DecodeLzma(bytes.subspan(12, 5), bytes.subspan(17), limit, limit, 8);
  }
  if (body.Data.empty())
    throw TSwfError(signature == 'C' ? "The movie's zlib data is damaged"
                                     : "The movie's LZMA data is damaged", -1, 8);
  if (body.Truncated)
    warnings.push_back("The compressed data holds more than the header's file length " +
                       std::to_string(fileLength) + "; the rest was ignored");
  else if (!body.Complete)
    warnings.push_back("The compressed data is damaged or cut short after " +
                       std::to_string(body.Data.size()) + " bytes; the rest is lost");
  std::copy(bytes.begin(), bytes.begin() + 8, body.Data.begin());
  return std::move(body.Data);
}

}  // namespace

TSwfFile TSwfFile::FromBytes(std::span<const uint8_t> bytes) { return Load(bytes, nullptr); }

TSwfFile TSwfFile::Load(std::span<const uint8_t> bytes, std::vector<uint8_t>* owned) {
  if (bytes.size() < 8) throw TSwfError("Not a SWF movie: the file is too short", -1, 0);
  std::string signature(reinterpret_cast<const char*>(bytes.data()), 3);
  if (signature != "FWS" && signature != "CWS" && signature != "ZWS")
    throw TSwfError("Not a SWF movie: unknown signature", -1, 0);

  TSwfFile file;
  TSwfBitReader prefix(bytes.data(), 8);
  prefix.Skip(3);
  file.FHeader.Signature = signature[0];
  file.FHeader.Version = prefix.U8();
  file.FHeader.FileLength = prefix.U32();

  if (signature[0] == 'F') {
    if (bytes.size() > MaxMovieSize)
      throw TSwfError("The movie is larger than " + std::to_string(MaxMovieSize >> 20) + " MB");
    if (owned)
      file.FData = std::move(*owned);
    else
      file.FData.assign(bytes.begin(), bytes.end());
  } else {
    file.FData = Uncompress(bytes, file.FHeader.FileLength, file.FWarnings);
  }
  if (file.FData.size() != file.FHeader.FileLength)
    file.FWarnings.push_back("The header gives a file length of " +
                             std::to_string(file.FHeader.FileLength) + " bytes, the data has " +
                             std::to_string(file.FData.size()));

  // Movie header: RECT, frame rate 8.8, frame count. Without it there is no movie.
  TSwfBitReader r(file.FData.data(), file.FData.size());
  r.Skip(8);
  try {
    file.FHeader.FrameSize = r.Rect();
    file.FHeader.FrameRate = r.U16();
    file.FHeader.FrameCount = r.U16();
  } catch (const TSwfError&) {
    throw TSwfError("The movie header is incomplete", -1, r.FileOffset());
  }
  file.FTags = file.ReadTags(r.Position(), file.FData.size(), file.FWarnings);
  return file;
}

TSwfFile TSwfFile::FromFile(const std::string& path) {
  files::RefuseNonRegularFile(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TSwfError("Cannot open " + path);
  in.seekg(0, std::ios::end);
  std::streamoff size = in.tellg();
  if (size < 0) throw TSwfError("Cannot read " + path);
  if (static_cast<uint64_t>(size) > MaxMovieSize)
    throw TSwfError("The movie is larger than " + std::to_string(MaxMovieSize >> 20) + " MB");
  in.seekg(0);
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    throw TSwfError("Cannot read " + path);
  return Load(bytes, &bytes);
}

std::vector<TTagRecord> TSwfFile::ReadTags(size_t begin, size_t end,
                                           std::vector<std::string>& warnings) const {
  std::vector<TTagRecord> tags;
  end = std::min(end, FData.size());
  size_t pos = begin;
  while (pos < end) {
    if (tags.size() >= MaxTagsPerRun) {
      warnings.push_back("More than " + std::to_string(MaxTagsPerRun) +
                         " tags in a row; the rest was ignored");
      break;
    }
    if (end - pos < 2) {
      warnings.push_back("A stray byte at " + std::to_string(pos) + " ends the tag list");
      break;
    }
    TTagRecord tag;
    tag.Offset = static_cast<uint32_t>(pos);
    uint16_t codeAndLength = static_cast<uint16_t>(FData[pos] | (FData[pos + 1] << 8));
    tag.Code = codeAndLength >> 6;
    uint64_t length = codeAndLength & 0x3F;
    pos += 2;
    if (length == 0x3F) {
      if (end - pos < 4) {
        warnings.push_back(TagAt(tag.Code, tag.Offset) + " has an incomplete header");
        break;
      }
      length = FData[pos] | (FData[pos + 1] << 8) | (FData[pos + 2] << 16) |
               (static_cast<uint64_t>(FData[pos + 3]) << 24);
      pos += 4;
    }
    if (length > end - pos) {
      warnings.push_back(TagAt(tag.Code, tag.Offset) + ": its length " + std::to_string(length) +
                         " goes past the end of the data; reading stopped there");
      break;
    }
    tag.BodyOffset = static_cast<uint32_t>(pos);
    tag.BodySize = static_cast<uint32_t>(length);
    tags.push_back(tag);
    pos += length;
    if (tag.Code == static_cast<uint16_t>(TTagCode::End)) return tags;
  }
  if (tags.empty() || tags.back().Code != static_cast<uint16_t>(TTagCode::End))
    warnings.push_back("The tag list has no End tag");
  return tags;
}

}  // namespace swf
