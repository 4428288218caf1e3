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

// The bytes as a picture the user inserts, of whatever kind its content says.
void ExaminePicture(const uint8_t* data, size_t size);

// The bytes as a sound the user imports: an MP3 by its start, else any kind by its content.
void ImportSound(const uint8_t* data, size_t size);

// The bytes as a list of recipients: read record by record, each value made a file name as
// a card for the list would be named.
void ReadList(const uint8_t* data, size_t size);

// The bytes as a player program: its trailer located, its movie mapped and extracted.
void ExtractProjectorMovie(const uint8_t* data, size_t size);

}  // namespace fuzzinput
