// Reads back what an export wrote, with FFmpeg's libraries: the streams, every decoded
// picture (as RGB32 images, one at a time) and the sound as mono samples at 44.1 kHz.
#pragma once

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace exporttest {

struct TStreamFacts {
  std::string Codec;
  int Width = 0, Height = 0;
  std::string PixelFormat;
  double Duration = 0;  // seconds, from the stream or the container
  int SampleRate = 0;
};

struct TPacketTime {
  double Start = 0;     // seconds
  double Duration = 0;  // seconds
};

class TMediaProbe {
 public:
  explicit TMediaProbe(const std::string& path);  // throws std::runtime_error
  ~TMediaProbe();

  std::string FormatName() const;
  bool HasVideo() const { return FVideo >= 0; }
  bool HasAudio() const { return FAudio >= 0; }
  TStreamFacts Video() const;
  TStreamFacts Audio() const;
  double Duration() const;  // of the container, seconds

  // Decodes every picture in order and hands it over; returns the count.
  int ForEachPicture(const std::function<void(int index, const QImage& picture)>& take);
  // The packets of the picture stream, in file order.
  std::vector<TPacketTime> VideoPackets();
  // The whole sound as mono floats at 44.1 kHz.
  std::vector<float> MonoSound();

 private:
  void Rewind();
  struct TState;
  TState* FState;
  int FVideo = -1, FAudio = -1;
};

// Mean absolute difference per channel (0..255) of two pictures of one size.
double MeanDifference(const QImage& a, const QImage& b);

// The lag (in samples) at which `part` best matches inside `whole` (normalised
// cross-correlation), searching lags 0..whole.size() - part.size().
long BestLag(const std::vector<float>& whole, const std::vector<float>& part, double* score = nullptr);

}  // namespace exporttest
