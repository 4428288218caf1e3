// What each fuzz target does with one input, shared with the test that replays the kept
// inputs. Every function takes untrusted bytes; only the errors the code documents for bad
// input may be thrown inside, and they are caught here. Anything else (a crash, a sanitizer
// report, an escaping exception, a hang) is a bug.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzinput {

// The bytes as a card file, opened and rendered to a movie without a window.
void RenderCard(const uint8_t* data, size_t size);

// The bytes as a picture the user inserts: a bitmap when they start with "B", else a JPEG.
void ExaminePicture(const uint8_t* data, size_t size);

// The bytes as a sound the user imports: a WAV when they start with "RIFF", else an MP3.
void ImportSound(const uint8_t* data, size_t size);

// The bytes as a player program: its trailer located, its movie mapped and extracted.
void ExtractProjectorMovie(const uint8_t* data, size_t size);

}  // namespace fuzzinput
