// One output file written by a libavformat muxer: streams are added, the header written,
// packets interleaved, and the trailer written; any write error (a full disk) throws.
#pragma once

#include <string>

#include "export/AvSupport.h"

namespace exporter {

class TMediaFile {
 public:
  // muxer: "mp4", "webm", "gif". shownName names the file in messages (the target whose
  // temporary file path is); path itself when empty.
  TMediaFile(const std::string& path, const char* muxer, const std::string& shownName = {});
  ~TMediaFile();
  TMediaFile(const TMediaFile&) = delete;
  TMediaFile& operator=(const TMediaFile&) = delete;

  // A stream that carries what the encoder makes; the encoder must be opened.
  AVStream* AddStream(const AVCodecContext& encoder);
  // options: the muxer's ("movflags", "loop"); must be called after every AddStream.
  void Begin(TAvOptions& options);
  // Takes a packet of the stream, its times in the encoder's time base.
  void Write(AVPacket& packet, AVStream& stream, AVRational encoderTimeBase);
  // Writes the trailer and closes the file.
  void Finish();

 private:
  void CheckWrite(int code);
  std::string FPath;
  std::string FShownName;
  AVFormatContext* FContext = nullptr;
  bool FBegun = false;
  bool FFinished = false;
};

}  // namespace exporter
