// Small helpers around FFmpeg's libraries: owners that free what the C interface
// allocates, and errors turned into readable exceptions.
#pragma once

#include <QImage>

#include <memory>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libavutil/frame.h>
}

namespace exporter {

struct TCodecContextFree {
  void operator()(AVCodecContext* context) const { avcodec_free_context(&context); }
};
struct TFrameFree {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};
struct TPacketFree {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using TCodecContextPtr = std::unique_ptr<AVCodecContext, TCodecContextFree>;
using TFramePtr = std::unique_ptr<AVFrame, TFrameFree>;
using TPacketPtr = std::unique_ptr<AVPacket, TPacketFree>;

// FFmpeg's own messages stay quiet: failures reach the user through our exceptions.
void QuietAvLog();

TFramePtr MakeFrame();
// An opaque RGB32 picture as a frame of BGRA pixels (the same bytes in memory).
TFramePtr FrameOfImage(const QImage& image);
TPacketPtr MakePacket();

// FFmpeg's text for an error code.
std::string AvErrorText(int code);
// Throws TExportError("what: reason") for a negative code; returns the code otherwise.
int AvCheck(int code, const std::string& what);

// An options dictionary freed on every path.
class TAvOptions {
 public:
  TAvOptions() = default;
  ~TAvOptions() { av_dict_free(&FDictionary); }
  TAvOptions(const TAvOptions&) = delete;
  TAvOptions& operator=(const TAvOptions&) = delete;
  void Set(const char* key, const std::string& value) {
    av_dict_set(&FDictionary, key, value.c_str(), 0);
  }
  AVDictionary** Get() { return &FDictionary; }

 private:
  AVDictionary* FDictionary = nullptr;
};

}  // namespace exporter
