#include "swf/builder/JpegFile.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "swf/builder/FileIo.h"
#include "swf/format/SwfError.h"

namespace swf {
namespace {

constexpr size_t MaxJpegBytes = 64u << 20;

struct TJpegErrors {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JumpOut(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegErrors*>(info->err)->Jump, 1); }

void Silence(j_common_ptr) {}

// The image size from the JPEG header, or false when libjpeg refuses the data.
bool ReadSize(const std::vector<uint8_t>& bytes, int& width, int& height) {
  jpeg_decompress_struct info{};
  TJpegErrors errors{};
  info.err = jpeg_std_error(&errors.Manager);
  errors.Manager.error_exit = JumpOut;
  errors.Manager.output_message = Silence;
  if (setjmp(errors.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  bool ok = jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK;
  width = static_cast<int>(info.image_width);
  height = static_cast<int>(info.image_height);
  jpeg_destroy_decompress(&info);
  return ok && width > 0 && height > 0;
}

}  // namespace

std::shared_ptr<TBitmapData> ReadJpegFile(const std::string& path) {
  return JpegForMovie(ReadFileBytes(path, MaxJpegBytes, "picture"), path);
}

std::shared_ptr<TBitmapData> JpegForMovie(std::vector<uint8_t> fileBytes, const std::string& path) {
  auto bitmap = std::make_shared<TBitmapData>();
  bitmap->Jpeg = std::move(fileBytes);
  const auto& bytes = bitmap->Jpeg;
  bool startsLikeJpeg = bytes.size() >= 4 && bytes[0] == 0xFF && bytes[1] == 0xD8;
  if (!startsLikeJpeg || !ReadSize(bytes, bitmap->Width, bitmap->Height)) {
    throw TSwfError("The picture file is not a JPEG image: " + path);
  }
  return bitmap;
}

}  // namespace swf
