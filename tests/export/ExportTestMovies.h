// Movies the export tests make: a box that moves a few pixels each frame over a coloured
// stage, with a short chirp started at a chosen frame, looping or stopping at its end.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace exporttest {

constexpr int TestRate = 12;
constexpr int ChirpRate = 44100;

struct TTestMovieSpec {
  int Width = 96, Height = 64;
  int Frames = 24;
  bool Loops = true;
  int SoundFrame = 6;  // -1: no sound
  std::optional<int> HeaderFrames;  // the header's count, when it is to differ
};

// A quarter second rising tone, 16-bit mono at 44.1 kHz.
std::vector<int16_t> Chirp();
std::vector<float> ChirpAsFloats();

void WriteTestMovie(const std::string& path, const TTestMovieSpec& spec = {});

// A movie whose every frame differs everywhere: a picture of noise, twice the stage's
// size, moved a few pixels each frame, so every encoded frame is as large as it gets.
void WriteNoiseMovie(const std::string& path, int width, int height, int frames);

// Frame `frame` as the player shows it after playing that many frames, at size.
QImage PlayerFrame(const std::string& moviePath, int frame, const QSize& size);

}  // namespace exporttest
