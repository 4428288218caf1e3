#include "swf/reader/TestMovies.h"

#include <lzma.h>
#include <zlib.h>

#include <stdexcept>

#include "swf/format/SwfBitWriter.h"

namespace swf::test {

std::vector<uint8_t> Tag(uint16_t code, const std::vector<uint8_t>& body) {
  TSwfBitWriter w;
  w.Tag(code, body);
  return w.Take();
}

std::vector<uint8_t> Movie(const std::vector<std::vector<uint8_t>>& tags, uint16_t frameCount,
                           uint8_t version) {
  TSwfBitWriter body;
  body.Rect({0, 11000, 0, 8000});
  body.U16(24 << 8);
  body.U16(frameCount);
  for (const auto& t : tags) body.Bytes(t);
  body.Tag(0, {});
  TSwfBitWriter file;
  file.Bytes(reinterpret_cast<const uint8_t*>("FWS"), 3);
  file.U8(version);
  file.U32(static_cast<uint32_t>(body.Size() + 8));
  file.Bytes(body.Data());
  return file.Take();
}

std::vector<uint8_t> ToCws(const std::vector<uint8_t>& fws) {
  uLongf size = compressBound(static_cast<uLong>(fws.size()));
  std::vector<uint8_t> out(8 + size);
  if (compress(out.data() + 8, &size, fws.data() + 8, static_cast<uLong>(fws.size() - 8)) != Z_OK)
    throw std::runtime_error("compress failed");
  out.resize(8 + size);
  std::copy(fws.begin(), fws.begin() + 8, out.begin());
  out[0] = 'C';
  return out;
}

std::vector<uint8_t> ToZws(const std::vector<uint8_t>& fws) {
  lzma_options_lzma options;
  lzma_lzma_preset(&options, 6);
  lzma_stream ls = LZMA_STREAM_INIT;
  if (lzma_alone_encoder(&ls, &options) != LZMA_OK) throw std::runtime_error("lzma init failed");
  std::vector<uint8_t> alone(fws.size() + 1024);
  ls.next_in = fws.data() + 8;
  ls.avail_in = fws.size() - 8;
  ls.next_out = alone.data();
  ls.avail_out = alone.size();
  while (lzma_code(&ls, LZMA_FINISH) == LZMA_OK) {
  }
  alone.resize(alone.size() - ls.avail_out);
  lzma_end(&ls);
  // .lzma: 5 property bytes, u64 size, stream. ZWS: u32 stream length, properties, stream.
  std::vector<uint8_t> out(fws.begin(), fws.begin() + 8);
  out[0] = 'Z';
  uint32_t streamSize = static_cast<uint32_t>(alone.size() - 13);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(streamSize >> (8 * i)));
  out.insert(out.end(), alone.begin(), alone.begin() + 5);
  out.insert(out.end(), alone.begin() + 13, alone.end());
  return out;
}

std::vector<uint8_t> PlaceNew(uint16_t depth, uint16_t id, const TMatrix& matrix) {
  TSwfBitWriter w;
  w.U8(0x06);
  w.U16(depth);
  w.U16(id);
  w.Matrix(matrix);
  return Tag(26, w.Take());
}

std::vector<uint8_t> PlaceMove(uint16_t depth, const TMatrix& matrix) {
  TSwfBitWriter w;
  w.U8(0x05);
  w.U16(depth);
  w.Matrix(matrix);
  return Tag(26, w.Take());
}

std::vector<uint8_t> Remove(uint16_t depth) {
  TSwfBitWriter w;
  w.U16(depth);
  return Tag(28, w.Take());
}

std::vector<uint8_t> ShowFrame() { return Tag(1, {}); }

}  // namespace swf::test
