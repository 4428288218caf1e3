#include "export/AvSupport.h"

#include <cstring>
#include <mutex>

extern "C" {
#include <libavutil/log.h>
}

#include "export/ExportError.h"

namespace exporter {

void QuietAvLog() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_ERROR); });
}

TFramePtr MakeFrame() {
  TFramePtr frame(av_frame_alloc());
  if (!frame) throw TExportError("There is not enough memory to export.");
  return frame;
}

TFramePtr FrameOfImage(const QImage& image) {
  TFramePtr frame = MakeFrame();
  frame->format = AV_PIX_FMT_BGRA;
  frame->width = image.width();
  frame->height = image.height();
  AvCheck(av_frame_get_buffer(frame.get(), 0), "There is not enough memory to export");
  for (int y = 0; y < image.height(); ++y) {
    std::memcpy(frame->data[0] + static_cast<ptrdiff_t>(y) * frame->linesize[0],
                image.constScanLine(y), static_cast<size_t>(image.width()) * 4);
  }
  return frame;
}

TPacketPtr MakePacket() {
  TPacketPtr packet(av_packet_alloc());
  if (!packet) throw TExportError("There is not enough memory to export.");
  return packet;
}

std::string AvErrorText(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

int AvCheck(int code, const std::string& what) {
  if (code < 0) throw TExportError(what + ": " + AvErrorText(code));
  return code;
}

}  // namespace exporter
