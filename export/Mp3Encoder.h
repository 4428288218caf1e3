// 16-bit PCM to MP3 frames with LAME, as a movie's sound holds them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace exporter {

struct TMp3Sound {
  std::vector<uint8_t> Frames;
  // Samples (per channel) that decoding yields before the sound's first one: the encoder's
  // delay and the decoder's, for the movie's SeekSamples.
  int Delay = 0;
};

// samples: frames × channels values, interleaved; rate 11025, 22050 or 44100; quality
// 1..100 chooses the bit rate. Throws TExportError.
TMp3Sound EncodeMp3(const int16_t* samples, size_t frames, int channels, int rate, int quality);

}  // namespace exporter
