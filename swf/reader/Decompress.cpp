#include "swf/reader/Decompress.h"

#include <lzma.h>
#include <zlib.h>

#include <algorithm>

namespace swf {
namespace {

constexpr size_t Chunk = 64 * 1024;

// Grows the output a chunk at a time, never past maxSize, so a lying length field costs
// nothing until the data really inflates that far. The room for maxSize is reserved once
// the output passes a few chunks: the buffer is then never copied into a larger one, which
// would take the output's memory twice over.
size_t GrowFor(std::vector<uint8_t>& out, size_t prefix, size_t used, size_t maxSize) {
  if (used >= 16 * Chunk && out.capacity() < prefix + maxSize) out.reserve(prefix + maxSize);
  const size_t step = out.capacity() >= prefix + maxSize ? 16 * Chunk : std::max(Chunk, used / 2);
  size_t want = std::min(maxSize, used + step);
  out.resize(prefix + want);
  return want - used;
}

}  // namespace

TInflateResult InflateZlib(std::span<const uint8_t> input, size_t maxSize, size_t prefix) {
  TInflateResult result;
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) return result;
  zs.next_in = const_cast<Bytef*>(input.data());
  size_t inLeft = input.size();
  size_t used = 0;
  for (;;) {
    if (zs.avail_in == 0 && inLeft > 0) {
      uInt take = static_cast<uInt>(std::min<size_t>(inLeft, 1u << 30));
      zs.avail_in = take;
      inLeft -= take;
    }
    bool full = used == maxSize;
    uint8_t probe;  // at the limit: one byte of room shows whether more would come out
    if (full) {
      zs.next_out = &probe;
      zs.avail_out = 1;
    } else {
      size_t room = GrowFor(result.Data, prefix, used, maxSize);
      zs.next_out = result.Data.data() + prefix + used;
      zs.avail_out = static_cast<uInt>(std::min<size_t>(room, 1u << 30));
    }
    uInt outBefore = zs.avail_out, inBefore = zs.avail_in;
    int rc = inflate(&zs, Z_NO_FLUSH);
    size_t produced = outBefore - zs.avail_out;
    if (full) {
      if (produced > 0) result.Truncated = true;
      else result.Complete = rc == Z_STREAM_END;
      break;
    }
    used += produced;
    if (rc == Z_STREAM_END) {
      result.Complete = true;
      break;
    }
    if (rc != Z_OK && rc != Z_BUF_ERROR) break;  // damaged: keep what came out
    if (produced == 0 && zs.avail_in == inBefore && inLeft == 0) break;  // input ended early
  }
  inflateEnd(&zs);
  result.Data.resize(used == 0 ? 0 : prefix + used);
  return result;
}

TInflateResult DecodeLzma(std::span<const uint8_t> properties, std::span<const uint8_t> input,
                          size_t expectedSize, size_t maxSize, size_t prefix) {
  TInflateResult result;
  if (properties.size() != 5) return result;
  // The classic .lzma header: properties, then the uncompressed size as u64 LE.
  uint8_t header[13];
  std::copy(properties.begin(), properties.end(), header);
  uint64_t size = expectedSize;
  for (int i = 0; i < 8; ++i) header[5 + i] = static_cast<uint8_t>(size >> (8 * i));
  // The decoder allocates the dictionary size the file names. A dictionary larger than the
  // whole output decodes the same as one of the output's size, so cap it there.
  uint32_t dictionary = header[1] | header[2] << 8 | header[3] << 16 | uint32_t(header[4]) << 24;
  uint32_t needed = static_cast<uint32_t>(std::max<size_t>(std::min(maxSize, expectedSize), 4096));
  if (dictionary > needed)
    for (int i = 0; i < 4; ++i) header[1 + i] = static_cast<uint8_t>(needed >> (8 * i));

  lzma_stream ls = LZMA_STREAM_INIT;
  if (lzma_alone_decoder(&ls, UINT64_MAX) != LZMA_OK) return result;
  ls.next_in = header;
  ls.avail_in = sizeof header;
  bool inputFed = false;
  size_t used = 0;
  for (;;) {
    if (ls.avail_in == 0 && !inputFed) {
      ls.next_in = input.data();
      ls.avail_in = input.size();
      inputFed = true;
    }
    if (used == maxSize) {
      result.Truncated = true;
      break;
    }
    size_t room = GrowFor(result.Data, prefix, used, maxSize);
    ls.next_out = result.Data.data() + prefix + used;
    ls.avail_out = room;
    size_t inBefore = ls.avail_in;
    lzma_ret rc = lzma_code(&ls, inputFed ? LZMA_FINISH : LZMA_RUN);
    size_t produced = room - ls.avail_out;
    used += produced;
    if (rc == LZMA_STREAM_END) {
      result.Complete = true;
      break;
    }
    if (rc != LZMA_OK) break;  // damaged or ended early: keep what came out
    if (inputFed && produced == 0 && ls.avail_in == inBefore) break;
  }
  lzma_end(&ls);
  result.Data.resize(used == 0 ? 0 : prefix + used);
  return result;
}

}  // namespace swf
