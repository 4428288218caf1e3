#include "export/MediaFile.h"

#include <cstring>

#include "export/ExportError.h"
#include "platform/WriteFailure.h"

namespace exporter {

TMediaFile::TMediaFile(const std::string& path, const char* muxer, const std::string& shownName)
    : FPath(path), FShownName(shownName.empty() ? path : shownName) {
  QuietAvLog();
  AvCheck(avformat_alloc_output_context2(&FContext, nullptr, muxer, path.c_str()),
          std::string("The ") + muxer + " writer is not available");
}

TMediaFile::~TMediaFile() {
  if (!FContext) return;
  // The GIF writer holds its last picture until the trailer and frees it only there: an
  // export that stopped half way still ends it, into the file that is then thrown away.
  if (FBegun && !FFinished && FContext->pb && std::strcmp(FContext->oformat->name, "gif") == 0)
    av_write_trailer(FContext);
  if (FContext->pb) avio_closep(&FContext->pb);
  avformat_free_context(FContext);
}

AVStream* TMediaFile::AddStream(const AVCodecContext& encoder) {
  AVStream* stream = avformat_new_stream(FContext, nullptr);
  if (!stream) throw TExportError("There is not enough memory to export.");
  AvCheck(avcodec_parameters_from_context(stream->codecpar, &encoder), "Cannot set up the stream");
  stream->time_base = encoder.time_base;
  return stream;
}

void TMediaFile::Begin(TAvOptions& options) {
  CheckWrite(avio_open(&FContext->pb, FPath.c_str(), AVIO_FLAG_WRITE));
  CheckWrite(avformat_write_header(FContext, options.Get()));
  FBegun = true;
}

void TMediaFile::Write(AVPacket& packet, AVStream& stream, AVRational encoderTimeBase) {
  av_packet_rescale_ts(&packet, encoderTimeBase, stream.time_base);
  packet.stream_index = stream.index;
  CheckWrite(av_interleaved_write_frame(FContext, &packet));
}

void TMediaFile::Finish() {
  if (!FBegun || FFinished) return;
  FFinished = true;
  CheckWrite(av_write_trailer(FContext));
  avio_flush(FContext->pb);
  CheckWrite(FContext->pb->error);
  CheckWrite(avio_closep(&FContext->pb));
}

void TMediaFile::CheckWrite(int code) {
  // The muxer may report a failed write only through the I/O context's error.
  if (code >= 0 && FContext->pb && FContext->pb->error < 0) code = FContext->pb->error;
  if (code >= 0) return;
  // The system's errors (a full disk) in the program's words, FFmpeg's own as it says them.
  const std::string reason = code > -4096 ? files::WriteFailureText(-code) : AvErrorText(code);
  throw TExportError("Cannot write \"" + FShownName + "\": " + reason + ".");
}

}  // namespace exporter
