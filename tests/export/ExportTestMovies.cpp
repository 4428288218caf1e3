#include "ExportTestMovies.h"

#include <algorithm>
#include <cmath>

#include "TestMovie.h"
#include "player/MoviePlayer.h"

namespace exporttest {

std::vector<int16_t> Chirp() {
  std::vector<int16_t> samples(ChirpRate / 4);
  for (size_t i = 0; i < samples.size(); ++i) {
    const double t = static_cast<double>(i) / ChirpRate;
    // 300 Hz rising to 2300 Hz: one clear peak when cross-correlated.
    samples[i] = static_cast<int16_t>(12000 * std::sin(2 * M_PI * (300 * t + 4000 * t * t)));
  }
  return samples;
}

std::vector<float> ChirpAsFloats() {
  std::vector<float> out;
  for (int16_t v : Chirp()) out.push_back(v / 32768.0f);
  return out;
}

void WriteTestMovie(const std::string& path, const TTestMovieSpec& spec) {
  playertest::TTestMovie movie(spec.Width, spec.Height, TestRate);
  movie.Background({20, 110, 130, 255});
  const uint16_t box = movie.RectShape(0, 0, 16 * 20, 16 * 20, playertest::Solid({220, 40, 40, 255}));
  uint16_t sound = 0;
  if (spec.SoundFrame >= 0) {
    std::vector<uint8_t> bytes;
    for (int16_t v : Chirp()) {
      bytes.push_back(static_cast<uint8_t>(v));
      bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    // PCM little-endian, 44 kHz, 16-bit, mono.
    sound = movie.Sound(0x3E, static_cast<uint32_t>(Chirp().size()), bytes);
  }
  for (int frame = 0; frame < spec.Frames; ++frame) {
    swf::TMatrix m;
    m.TX = (4 + 3 * frame) * 20;
    m.TY = (8 + frame % 5) * 20;
    if (frame == 0) {
      movie.Place(1, box, m);
    } else {
      movie.Modify(1, m);
    }
    if (frame == spec.SoundFrame) movie.StartSound(sound);
    if (!spec.Loops && frame == spec.Frames - 1) movie.Action(playertest::ActionStop());
    movie.ShowFrame();
  }
  movie.Save(path);
  if (spec.HeaderFrames) {
    const std::vector<uint8_t> bytes = movie.Bytes(*spec.HeaderFrames);
    FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
}

void WriteNoiseMovie(const std::string& path, int width, int height, int frames) {
  playertest::TTestMovie movie(width, height, TestRate);
  movie.Background({0, 0, 0, 255});
  const int side = 2 * std::max(width, height);
  std::vector<uint32_t> noise(static_cast<size_t>(side) * side);
  uint32_t state = 12345;
  for (uint32_t& pixel : noise) {
    state = state * 1664525u + 1013904223u;
    pixel = 0xFF000000u | (state >> 8);
  }
  const uint16_t bitmap = movie.Bitmap(side, side, noise);
  playertest::TFill fill;
  fill.Type = 0x43;  // clipped, not smoothed
  fill.BitmapId = bitmap;
  fill.Matrix.A = fill.Matrix.D = 20 << 16;  // one pixel of the picture is 20 twips
  const uint16_t shape = movie.RectShape(0, 0, side * 20, side * 20, fill);
  for (int frame = 0; frame < frames; ++frame) {
    swf::TMatrix m;
    m.TX = -(frame * 3 % (side - width)) * 20;
    m.TY = -(frame * 2 % (side - height)) * 20;
    if (frame == 0) {
      movie.Place(1, shape, m);
    } else {
      movie.Modify(1, m);
    }
    movie.ShowFrame();
  }
  movie.Save(path);
}

QImage PlayerFrame(const std::string& moviePath, int frame, const QSize& size) {
  player::TMoviePlayer player;
  player.LoadFile(moviePath);
  for (int i = 0; i < frame; ++i) player.Tick();
  return player.RenderImage(size).convertToFormat(QImage::Format_RGB32);
}

}  // namespace exporttest
