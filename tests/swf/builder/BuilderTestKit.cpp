#include "BuilderTestKit.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <jpeglib.h>

#include "swf/reader/SwfFile.h"

namespace swf::test {

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "greetix-builder-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("no temporary folder");
  FPath = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(FPath, ignored);
}

void WriteJpeg(const std::string& path, int width, int height) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) throw std::runtime_error("can not write " + path);
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 90, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
  for (int x = 0; x < width; ++x) {
    bool left = x < width / 2;
    row[x * 3] = left ? 230 : 20;
    row[x * 3 + 1] = 20;
    row[x * 3 + 2] = left ? 20 : 230;
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(file);
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteWave(const std::string& path, uint32_t rate, uint16_t channels, uint16_t bits, uint32_t count,
               uint16_t formatTag) {
  std::vector<uint8_t> data;
  for (uint32_t i = 0; i < count * channels; ++i) {
    for (int b = 0; b < bits / 8; ++b) data.push_back(static_cast<uint8_t>((i * 7 + b) & 0xFF));
  }
  std::vector<uint8_t> out;
  auto u16 = [&](uint16_t v) { out.push_back(v & 0xFF); out.push_back(v >> 8); };
  auto u32 = [&](uint32_t v) { u16(v & 0xFFFF); u16(v >> 16); };
  auto tag = [&](const char* id) { out.insert(out.end(), id, id + 4); };
  tag("RIFF");
  u32(static_cast<uint32_t>(36 + data.size()));
  tag("WAVE");
  tag("fmt ");
  u32(16);
  u16(formatTag);
  u16(channels);
  u32(rate);
  u32(rate * channels * bits / 8);
  u16(static_cast<uint16_t>(channels * bits / 8));
  u16(bits);
  tag("data");
  u32(static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  WriteBytes(path, out);
}

std::vector<uint16_t> TagCodes(const std::vector<uint8_t>& movie) {
  TSwfFile file = TSwfFile::FromBytes(movie);
  std::vector<uint16_t> codes;
  for (const auto& tag : file.Tags()) codes.push_back(tag.Code);
  return codes;
}

std::map<uint16_t, TDisplayObject> DisplayAt(const TMovie& movie, uint32_t frame) {
  return ReplayTimeline(movie.Timeline, frame).Objects();
}

std::vector<uint16_t> ShownIds(const TMovie& movie, uint32_t frame) {
  std::vector<uint16_t> ids;
  for (const auto& [depth, object] : DisplayAt(movie, frame)) ids.push_back(object.CharacterId);
  return ids;
}

}  // namespace swf::test
