#include "player/bitmap/JpegDecoder.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace player {

namespace {

// libjpeg reports fatal errors through error_exit, which must not return: jump back.
struct TJpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
  auto* error = reinterpret_cast<TJpegError*>(info->err);
  (*info->err->format_message)(info, error->Message);
  std::longjmp(error->Jump, 1);
}

void Silent(j_common_ptr, int) {}  // warnings of damaged data are not printed

// Decodes into image; false with the message on failure. No C++ object with a destructor
// lives in this frame, so the long jump skips nothing.
bool DecodeInto(const uint8_t* data, size_t size, QImage* image, char* message) {
  jpeg_decompress_struct info;
  TJpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = ErrorExit;
  error.Manager.emit_message = Silent;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", error.Message);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
  jpeg_read_header(&info, TRUE);
  if (static_cast<uint64_t>(info.image_width) * info.image_height > MaxImagePixels ||
      info.image_width == 0 || info.image_height == 0) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "The picture is too large");
    return false;
  }
  info.out_color_space = JCS_EXT_BGRX;  // QImage::Format_RGB32 byte order on little endian
  jpeg_start_decompress(&info);
  *image = QImage(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                  QImage::Format_RGB32);
  if (image->isNull()) {
    jpeg_destroy_decompress(&info);
    std::snprintf(message, JMSG_LENGTH_MAX, "Out of memory for the picture");
    return false;
  }
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = image->scanLine(static_cast<int>(info.output_scanline));
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

}  // namespace

QImage DecodeJpeg(const uint8_t* data, size_t size, std::string& error) {
  QImage image;
  char message[JMSG_LENGTH_MAX] = {};
  if (size == 0 || !DecodeInto(data, size, &image, message)) {
    error = size == 0 ? "Empty JPEG data" : std::string("JPEG: ") + message;
    return QImage();
  }
  return image;
}

}  // namespace player
