// Bounded decompression of untrusted data: output never grows beyond a given limit, and a
// damaged stream keeps what was decoded before the damage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace swf {

struct TInflateResult {
  std::vector<uint8_t> Data;
  bool Complete = false;  // the stream ended properly (false: truncated or damaged)
  bool Truncated = false; // stopped at the limit
};

// zlib (RFC 1950) stream → at most maxSize bytes. The output goes after `prefix` zero
// bytes kept free for the caller, so it never needs copying into a buffer with a header.
TInflateResult InflateZlib(std::span<const uint8_t> input, size_t maxSize, size_t prefix = 0);
// Raw LZMA1 stream with 5 property bytes given apart, as stored in ZWS files.
TInflateResult DecodeLzma(std::span<const uint8_t> properties, std::span<const uint8_t> input,
                          size_t expectedSize, size_t maxSize, size_t prefix = 0);

}  // namespace swf
