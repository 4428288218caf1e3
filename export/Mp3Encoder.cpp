#include "export/Mp3Encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "export/ExportError.h"

namespace exporter {

namespace {

// Every MP3 decoder puts this many samples of its filter bank before the first one.
constexpr int DecoderDelay = 529;

struct TLameClose {
  void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

// Per channel, at quality 75: speech and jingles stay clear, the size drops about tenfold.
int BitRateFor(int rate, int channels, int quality) {
  const int base = rate >= 44100 ? 64 : rate >= 22050 ? 48 : 32;
  const double factor = 0.5 + std::clamp(quality, 1, 100) / 150.0;
  return std::min(320, static_cast<int>(std::lround(base * channels * factor)));
}

}  // namespace

TMp3Sound EncodeMp3(const int16_t* samples, size_t frames, int channels, int rate, int quality) {
  if (channels != 1 && channels != 2) throw TExportError("An MP3 sound has one or two channels.");
  if (rate != 11025 && rate != 22050 && rate != 44100) {
    throw TExportError("An MP3 sound in a movie runs at 11, 22 or 44 kHz.");
  }
  std::unique_ptr<lame_global_flags, TLameClose> lame(lame_init());
  if (!lame) throw TExportError("There is not enough memory to encode the sound.");
  lame_set_in_samplerate(lame.get(), rate);
  lame_set_out_samplerate(lame.get(), rate);
  lame_set_num_channels(lame.get(), channels);
  lame_set_mode(lame.get(), channels == 1 ? MONO : JOINT_STEREO);
  lame_set_brate(lame.get(), BitRateFor(rate, channels, quality));
  lame_set_quality(lame.get(), 5);
  // No information frame: a movie's player would play it as a frame of silence.
  lame_set_bWriteVbrTag(lame.get(), 0);
  if (lame_init_params(lame.get()) < 0) throw TExportError("The MP3 encoder refused the sound's format.");

  TMp3Sound sound;
  constexpr size_t Chunk = 8192;
  std::vector<unsigned char> buffer(Chunk * 5 / 4 + 7200);
  std::vector<int16_t> left, right;
  for (size_t done = 0; done < frames;) {
    const size_t count = std::min(Chunk, frames - done);
    const int16_t* chunk = samples + done * channels;
    int made;
    if (channels == 1) {
      made = lame_encode_buffer(lame.get(), chunk, nullptr, static_cast<int>(count), buffer.data(),
                                static_cast<int>(buffer.size()));
    } else {
      made = lame_encode_buffer_interleaved(lame.get(), const_cast<short*>(chunk), static_cast<int>(count),
                                            buffer.data(), static_cast<int>(buffer.size()));
    }
    if (made < 0) throw TExportError("The MP3 encoder failed.");
    sound.Frames.insert(sound.Frames.end(), buffer.begin(), buffer.begin() + made);
    done += count;
  }
  const int made = lame_encode_flush(lame.get(), buffer.data(), static_cast<int>(buffer.size()));
  if (made < 0) throw TExportError("The MP3 encoder failed.");
  sound.Frames.insert(sound.Frames.end(), buffer.begin(), buffer.begin() + made);
  sound.Delay = lame_get_encoder_delay(lame.get()) + DecoderDelay;
  return sound;
}

}  // namespace exporter
