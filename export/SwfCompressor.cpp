#include "export/SwfCompressor.h"

#include <zlib.h>

#include <algorithm>
#include <fstream>
#include <optional>
#include <span>

#include "export/ExportError.h"
#include "export/FileWriter.h"
#include "export/Mp3Encoder.h"
#include "export/ProgressCounter.h"
#include "swf/format/SwfError.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/SwfFile.h"

namespace exporter {

namespace {

// CWS needs version 6; MP3 sounds need 4.
constexpr uint8_t CompressedVersion = 6;
constexpr size_t DefineSoundHeader = 7;  // id u16, format u8, sample count u32

void PutU16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

uint32_t GetU32(const uint8_t* bytes) {
  return bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
}

void PutTag(std::vector<uint8_t>& out, swf::TTagCode code, const std::vector<uint8_t>& body) {
  // The long form always: a sound is rarely below 63 bytes, and every reader takes it.
  PutU16(out, (static_cast<uint32_t>(code) << 6) | 0x3F);
  PutU32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
}

// The DefineSound as MP3, or nothing when it stays as it is (already compressed, or at
// 5.5 kHz, a rate MP3 in a movie cannot have).
std::optional<std::vector<uint8_t>> SoundAsMp3(std::span<const uint8_t> body, int quality) {
  if (body.size() <= DefineSoundHeader) return std::nullopt;
  const uint8_t format = body[2];
  const int codec = format >> 4;
  const int rateCode = (format >> 2) & 3;
  const bool sixteenBit = format & 2;
  const int channels = (format & 1) ? 2 : 1;
  if ((codec != 0 && codec != 3) || rateCode == 0) return std::nullopt;
  const std::span<const uint8_t> data = body.subspan(DefineSoundHeader);
  const size_t bytesPerFrame = static_cast<size_t>(channels) * (sixteenBit ? 2 : 1);
  const size_t frames = data.size() / bytesPerFrame;
  if (frames == 0) return std::nullopt;
  std::vector<int16_t> samples(frames * channels);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = sixteenBit ? static_cast<int16_t>(data[2 * i] | (data[2 * i + 1] << 8))
                            : static_cast<int16_t>((data[i] - 128) << 8);
  }
  static const int rates[4] = {5512, 11025, 22050, 44100};
  const TMp3Sound mp3 = EncodeMp3(samples.data(), frames, channels, rates[rateCode], quality);
  std::vector<uint8_t> out(body.begin(), body.begin() + 2);  // the sound's id
  out.push_back(static_cast<uint8_t>((2 << 4) | (rateCode << 2) | 2 | (channels == 2)));
  const uint32_t declared = GetU32(body.data() + 3);
  PutU32(out, declared > 0 && declared < frames ? declared : static_cast<uint32_t>(frames));
  PutU16(out, static_cast<uint16_t>(mp3.Delay));
  out.insert(out.end(), mp3.Frames.begin(), mp3.Frames.end());
  return out;
}

std::vector<uint8_t> Deflate(std::span<const uint8_t> data) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  if (compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw TExportError("The movie could not be compressed.");
  }
  out.resize(size);
  return out;
}

}  // namespace

std::vector<uint8_t> CompressedMovie(const std::string& moviePath, const TExportOptions& options) {
  swf::TSwfFile file;
  try {
    file = swf::TSwfFile::FromFile(moviePath);
  } catch (const std::exception& error) {
    throw TExportError("The movie cannot be read: " + std::string(error.what()));
  }
  const std::vector<uint8_t>& data = file.Data();
  const std::vector<swf::TTagRecord>& tags = file.Tags();
  const size_t sounds = std::count_if(tags.begin(), tags.end(), [](const swf::TTagRecord& tag) {
    return tag.Code == static_cast<uint16_t>(swf::TTagCode::DefineSound);
  });
  TProgressCounter progress(options, static_cast<int>(sounds) + 1);

  // Everything after the 8 bytes of signature, version and length is what gets compressed.
  const size_t firstTag = tags.empty() ? data.size() : tags.front().Offset;
  std::vector<uint8_t> body(data.begin() + 8, data.begin() + firstTag);
  for (const swf::TTagRecord& tag : tags) {
    std::optional<std::vector<uint8_t>> mp3;
    if (tag.Code == static_cast<uint16_t>(swf::TTagCode::DefineSound)) {
      mp3 = SoundAsMp3(file.Body(tag), options.Quality);
      progress.Step();
    }
    if (mp3) {
      PutTag(body, swf::TTagCode::DefineSound, *mp3);
    } else {
      body.insert(body.end(), data.begin() + tag.Offset, data.begin() + tag.BodyOffset + tag.BodySize);
    }
  }
  if (tags.empty() || tags.back().Code != static_cast<uint16_t>(swf::TTagCode::End)) PutU16(body, 0);

  std::vector<uint8_t> movie = {'C', 'W', 'S', std::max(file.Header().Version, CompressedVersion)};
  PutU32(movie, static_cast<uint32_t>(body.size() + 8));
  const std::vector<uint8_t> packed = Deflate(body);
  movie.insert(movie.end(), packed.begin(), packed.end());
  progress.Step();
  return movie;
}

void CompressMovie(const std::string& moviePath, const std::string& path, const std::string& shownName,
                   const TExportOptions& options) {
  const std::vector<uint8_t> movie = CompressedMovie(moviePath, options);
  TFileWriter out(path, shownName);
  out.Write(std::string_view(reinterpret_cast<const char*>(movie.data()), movie.size()));
  out.Close();
}

}  // namespace exporter
