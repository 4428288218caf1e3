// The sound stream of an export: the mixed 44.1 kHz stereo samples resampled to the
// encoder's rate and format, cut into the encoder's frame size, encoded and written.
#pragma once

#include <cstdint>

#include "export/AvSupport.h"
#include "export/MediaFile.h"

struct AVAudioFifo;
struct SwrContext;

namespace exporter {

class TAudioStream {
 public:
  // codec: "aac" or "libopus"; rate: the encoder's sample rate.
  TAudioStream(TMediaFile& file, const char* codec, int rate, int64_t bitRate);
  ~TAudioStream();
  TAudioStream(const TAudioStream&) = delete;
  TAudioStream& operator=(const TAudioStream&) = delete;

  // count sample frames of interleaved 16-bit stereo at the mix rate.
  void Add(const int16_t* stereo, int count);
  // Encodes what is left (the last frame padded with silence where the codec needs it).
  void Flush();

 private:
  void EncodeFromFifo(int count);
  void Send(AVFrame* frame);
  TMediaFile& FFile;
  TCodecContextPtr FEncoder;
  AVStream* FStream = nullptr;
  SwrContext* FResample = nullptr;
  AVAudioFifo* FFifo = nullptr;
  TFramePtr FFrame;
  TPacketPtr FPacket;
  int64_t FNextPts = 0;  // in samples at the encoder's rate
};

}  // namespace exporter
