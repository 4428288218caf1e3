#include "player/audio/AdpcmDecoder.h"

#include <algorithm>

namespace player {

namespace {

const int StepTable[89] = {
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,    21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,    73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,   253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,   876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749,  3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493,  10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};

// Step index changes by the magnitude bits of a code, one table per code size 2..5.
const int IndexTable2[2] = {-1, 2};
const int IndexTable3[4] = {-1, -1, 2, 4};
const int IndexTable4[8] = {-1, -1, -1, -1, 2, 4, 6, 8};
const int IndexTable5[16] = {-1, -1, -1, -1, -1, -1, -1, -1, 1, 2, 4, 6, 8, 10, 13, 16};

// MSB-first bit reader that reports exhaustion instead of throwing: a short last packet is
// normal, so decoding simply ends there.
class TBits {
 public:
  TBits(const uint8_t* data, size_t size) : FData(data), FBits(size * 8) {}
  size_t Left() const { return FBits - FPos; }
  uint32_t Take(int count) {
    uint32_t value = 0;
    for (int i = 0; i < count; ++i, ++FPos) {
      value = (value << 1) | ((FData[FPos >> 3] >> (7 - (FPos & 7))) & 1);
    }
    return value;
  }

 private:
  const uint8_t* FData;
  size_t FBits;
  size_t FPos = 0;
};

struct TChannelState {
  int Predictor = 0;
  int StepIndex = 0;
};

}  // namespace

TPcmSound DecodeAdpcm(const uint8_t* data, size_t size, int channels, int rate,
                      size_t maxFrames) {
  TPcmSound sound;
  sound.Rate = rate;
  sound.Channels = channels;
  TBits bits(data, size);
  if (bits.Left() < 2) return sound;
  const int codeBits = static_cast<int>(bits.Take(2)) + 2;
  const int* indexTable = codeBits == 2   ? IndexTable2
                          : codeBits == 3 ? IndexTable3
                          : codeBits == 4 ? IndexTable4
                                          : IndexTable5;
  const int signMask = 1 << (codeBits - 1);
  const int firstMagnitudeBit = 1 << (codeBits - 2);
  // Output grows only as far as the data reaches (at most 8 samples per input byte).
  sound.Samples.reserve(std::min(maxFrames, size * 8 / codeBits + 1) * channels);

  TChannelState state[2];
  size_t frames = 0;
  while (bits.Left() >= static_cast<size_t>(22 * channels) && frames < maxFrames) {
    for (int c = 0; c < channels; ++c) {
      state[c].Predictor = static_cast<int16_t>(bits.Take(16));
      state[c].StepIndex = static_cast<int>(bits.Take(6));
      state[c].StepIndex = std::min(state[c].StepIndex, 88);
      sound.Samples.push_back(static_cast<int16_t>(state[c].Predictor));
    }
    ++frames;
    for (int n = 0; n < 4095 && bits.Left() >= static_cast<size_t>(codeBits * channels) &&
                    frames < maxFrames;
         ++n, ++frames) {
      for (int c = 0; c < channels; ++c) {
        const int code = static_cast<int>(bits.Take(codeBits));
        int step = StepTable[state[c].StepIndex];
        // difference = (magnitude + 0.5) · step / 2^(codeBits-2), done with shifts
        int difference = 0;
        for (int k = firstMagnitudeBit; k != 0; k >>= 1) {
          if (code & k) difference += step;
          step >>= 1;
        }
        difference += step;
        state[c].Predictor += (code & signMask) ? -difference : difference;
        state[c].Predictor = std::clamp(state[c].Predictor, -32768, 32767);
        state[c].StepIndex = std::clamp(state[c].StepIndex + indexTable[code & ~signMask], 0, 88);
        sound.Samples.push_back(static_cast<int16_t>(state[c].Predictor));
      }
    }
  }
  return sound;
}

}  // namespace player
