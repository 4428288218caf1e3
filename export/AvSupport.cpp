#include "export/AvSupport.h"

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
