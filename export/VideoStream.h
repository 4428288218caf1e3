// The picture stream of an export: an encoder fed with the player's frames (converted to
// the encoder's pixel format) whose packets go to a media file.
#pragma once

#include <QImage>

#include <string>
#include <utility>
#include <vector>

#include "export/AvSupport.h"
#include "export/MediaFile.h"

struct SwsContext;

namespace exporter {

struct TVideoSettings {
  const char* Codec = "libx264";
  AVPixelFormat PixelFormat = AV_PIX_FMT_YUV420P;
  int Width = 0, Height = 0;
  AVRational TimeBase{1, 12};
  AVRational FrameRate{12, 1};
  int Threads = 0;
  // The encoder's private options ("crf", "preset", ...).
  std::vector<std::pair<std::string, std::string>> Options;
  bool GlobalHeader = false;  // the muxer wants the headers apart (MP4, WebM)
};

class TVideoStream {
 public:
  TVideoStream(TMediaFile& file, const TVideoSettings& settings);
  ~TVideoStream();
  TVideoStream(const TVideoStream&) = delete;
  TVideoStream& operator=(const TVideoStream&) = delete;

  // An opaque RGB32 picture of the stream's size, shown from pts (in the time base).
  void Encode(const QImage& image, int64_t pts);
  // A frame already in the encoder's pixel format.
  void Encode(AVFrame& frame);
  // Sends what the encoder still holds; after it nothing more is taken.
  void Flush();

 private:
  void Send(AVFrame* frame);
  TMediaFile& FFile;
  TCodecContextPtr FEncoder;
  AVStream* FStream = nullptr;
  SwsContext* FConvert = nullptr;
  TFramePtr FFrame;
  TPacketPtr FPacket;
};

}  // namespace exporter
