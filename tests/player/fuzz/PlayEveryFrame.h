// What the fuzzer does with one input, shared with the regression test of its corpus: load
// the bytes as a movie, draw every frame (up to a limit) while playing, seek back and
// forth, and decode the sounds started on the way. Any crash, hang or unbounded allocation
// in there is a bug.
#pragma once

#include <cstddef>
#include <cstdint>

namespace playerfuzz {

// Frames played and drawn at most per input.
constexpr int MaxFrames = 48;

void PlayEveryFrame(const uint8_t* data, size_t size);

}  // namespace playerfuzz
