#include "render/JpegCodec.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include <jpeglib.h>

#include "platform/AtomicFile.h"
#include "render/PictureError.h"

// jpeglib.h must come after <cstdio>; jerror.h gives the message codes.
#include <jerror.h>

namespace {

// libjpeg is C: its error exit must not return and cannot unwind C++ frames, so it jumps
// back to the one setjmp in each Run function below. Those functions keep everything that
// needs a destructor in the job record their caller owns.
struct TErrorManager {
  jpeg_error_mgr Pub;
  std::jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
};

[[noreturn]] void ErrorExit(j_common_ptr info)
{
  auto* manager = reinterpret_cast<TErrorManager*>(info->err);
  manager->Pub.format_message(info, manager->Message);
  std::longjmp(manager->Jump, 1);
}

// Warnings (level -1) about data that ends early mean a cut-short file: libjpeg would fill
// the rest with grey and call it a picture. Other warnings (stray bytes, odd markers) are
// what many real cameras write; those pictures are decoded as well as they can be.
void EmitMessage(j_common_ptr info, int level)
{
  if (level >= 0) return;
  const int code = info->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) info->err->error_exit(info);
}

// A progressive file may declare thousands of scans that each cost a pass over the picture.
constexpr long MaxScans = 500;
// Far above what a picture of 800 x 600 needs, far below what a hostile file could ask for.
constexpr long MaxDecoderMemory = 64L * 1024 * 1024;
// A 50-megapixel progressive photo keeps about 150 MB of coefficients while it is decoded.
constexpr long MaxReducingMemory = 200L * 1024 * 1024;

void CheckProgress(j_common_ptr info)
{
  if (!info->is_decompressor) return;
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > MaxScans) {
    auto* manager = reinterpret_cast<TErrorManager*>(info->err);
    std::snprintf(manager->Message, sizeof manager->Message, "too many scans (more than %ld)", MaxScans);
    std::longjmp(manager->Jump, 1);
  }
}

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

struct TDecodeJob {
  std::FILE* File = nullptr;
  int MaxWidth = 0;
  int MaxHeight = 0;
  int MaxSide = 0; // > 0: decode reduced to fit, instead of checking MaxWidth and MaxHeight
  int MinWidth = 0; // > 0: decode reduced as far as the sides stay at least MinWidth x MinHeight
  int MinHeight = 0;
  TJpegDecoding Result;
  std::vector<std::uint8_t> CmykRow; // one row of four-channel samples
  TErrorManager Errors;
};

void CmykToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, int width, bool inverted)
{
  for (int x = 0; x < width; ++x, cmyk += 4, rgb += 3) {
    // Adobe writes CMYK inverted (255 = no ink), which is what most CMYK JPEGs carry.
    const int k = inverted ? cmyk[3] : 255 - cmyk[3];
    for (int c = 0; c < 3; ++c) {
      const int ink = inverted ? cmyk[c] : 255 - cmyk[c];
      rgb[c] = static_cast<std::uint8_t>(ink * k / 255);
    }
  }
}

// Returns false after a libjpeg error; the text is in job.Errors.Message.
bool RunDecode(TDecodeJob& job)
{
  jpeg_decompress_struct info;
  jpeg_progress_mgr progress;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&job.Errors.Pub);
  job.Errors.Pub.error_exit = ErrorExit;
  job.Errors.Pub.emit_message = EmitMessage;
  job.Errors.Message[0] = '\0';
  if (setjmp(job.Errors.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  // A large photo decoded reduced may still need its whole coefficients (progressive files).
  info.mem->max_memory_to_use = job.MinWidth > 0 ? MaxReducingMemory : MaxDecoderMemory;
  progress.progress_monitor = CheckProgress;
  info.progress = &progress;
  jpeg_stdio_src(&info, job.File);
  jpeg_read_header(&info, TRUE);

  job.Result.Declared = {static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  if (job.MinWidth > 0) {
    const auto keeps = [&](unsigned denominator) {
      return (info.image_width + denominator - 1) / denominator >= static_cast<unsigned>(job.MinWidth) &&
             (info.image_height + denominator - 1) / denominator >= static_cast<unsigned>(job.MinHeight);
    };
    unsigned denominator = 1;
    while (denominator < 8 && keeps(denominator * 2)) denominator *= 2;
    info.scale_num = 1;
    info.scale_denom = denominator;
  } else if (job.MaxSide > 0) {
    const unsigned maxSide = static_cast<unsigned>(job.MaxSide);
    const auto fits = [&](unsigned denominator) {
      return (info.image_width + denominator - 1) / denominator <= maxSide &&
             (info.image_height + denominator - 1) / denominator <= maxSide;
    };
    unsigned denominator = 1;
    while (denominator <= 8 && !fits(denominator)) denominator *= 2;
    job.Result.TooLarge = denominator > 8;
    info.scale_num = 1;
    info.scale_denom = denominator;
  } else {
    job.Result.TooLarge = info.image_width > static_cast<unsigned>(job.MaxWidth) ||
                          info.image_height > static_cast<unsigned>(job.MaxHeight);
  }
  if (job.Result.TooLarge) {
    jpeg_destroy_decompress(&info);
    return true;
  }

  const bool fourChannels = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = fourChannels ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&info);

  TRgbPicture& picture = job.Result.Picture;
  picture.Width = static_cast<int>(info.output_width);
  picture.Height = static_cast<int>(info.output_height);
  picture.Pixels.assign(picture.RowBytes() * static_cast<std::size_t>(picture.Height), 0);
  if (fourChannels) job.CmykRow.assign(static_cast<std::size_t>(picture.Width) * 4, 0);

  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = picture.Pixels.data() + picture.RowBytes() * info.output_scanline;
    JSAMPROW target = fourChannels ? job.CmykRow.data() : row;
    if (jpeg_read_scanlines(&info, &target, 1) != 1) ERREXIT(&info, JERR_INPUT_EOF);
    if (fourChannels) CmykToRgb(job.CmykRow.data(), row, picture.Width, info.saw_Adobe_marker);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

struct TEncodeJob {
  const TRgbPicture* Picture = nullptr;
  int Quality = 75;
  unsigned char* Buffer = nullptr; // malloc'ed by libjpeg's memory destination
  unsigned long Size = 0;
  TErrorManager Errors;
};

bool RunEncode(TEncodeJob& job)
{
  jpeg_compress_struct info;
  std::memset(&info, 0, sizeof info);
  info.err = jpeg_std_error(&job.Errors.Pub);
  job.Errors.Pub.error_exit = ErrorExit;
  job.Errors.Message[0] = '\0';
  if (setjmp(job.Errors.Jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, &job.Buffer, &job.Size);
  const TRgbPicture& picture = *job.Picture;
  info.image_width = static_cast<JDIMENSION>(picture.Width);
  info.image_height = static_cast<JDIMENSION>(picture.Height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, job.Quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg does not write through the row pointer.
    auto* row = const_cast<std::uint8_t*>(picture.Pixels.data() + picture.RowBytes() * info.next_scanline);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

} // namespace

namespace {

TJpegDecoding Decode(const std::string& path, TDecodeJob& job)
{
  std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(path.c_str(), "rbe"));
  if (!file)
    throw TPictureError("Cannot open the picture file \"" + path + "\": " + std::strerror(errno) + ".");
  job.File = file.get();
  if (!RunDecode(job))
    throw TPictureError("The picture file \"" + path + "\" is not a readable JPEG picture (" + job.Errors.Message +
                        ").");
  return std::move(job.Result);
}

} // namespace

TJpegDecoding DecodeJpeg(const std::string& path, int maxWidth, int maxHeight)
{
  auto job = std::make_unique<TDecodeJob>();
  job->MaxWidth = maxWidth;
  job->MaxHeight = maxHeight;
  return Decode(path, *job);
}

TJpegDecoding DecodeJpegReduced(const std::string& path, int maxSide)
{
  auto job = std::make_unique<TDecodeJob>();
  job->MaxSide = maxSide;
  return Decode(path, *job);
}

TJpegDecoding DecodeJpegAtLeast(const std::string& path, int minWidth, int minHeight)
{
  auto job = std::make_unique<TDecodeJob>();
  job->MinWidth = std::max(1, minWidth);
  job->MinHeight = std::max(1, minHeight);
  return Decode(path, *job);
}

TPictureSize ReadJpegSize(const std::string& path)
{
  auto job = std::make_unique<TDecodeJob>(); // a limit of 0 x 0: the header only is read
  return Decode(path, *job).Declared;
}

std::vector<std::uint8_t> EncodeJpeg(const TRgbPicture& picture, int quality)
{
  if (picture.Width <= 0 || picture.Height <= 0 ||
      picture.Pixels.size() != picture.RowBytes() * static_cast<std::size_t>(picture.Height))
    throw TPictureError("The picture has no pixels to write.");
  auto job = std::make_unique<TEncodeJob>();
  job->Picture = &picture;
  job->Quality = quality;
  const bool done = RunEncode(*job);
  std::vector<std::uint8_t> bytes;
  if (done && job->Buffer) bytes.assign(job->Buffer, job->Buffer + job->Size);
  std::free(job->Buffer);
  if (!done) throw TPictureError(std::string("The picture cannot be written as JPEG (") + job->Errors.Message + ").");
  return bytes;
}

void WriteFileReplacing(const std::string& path, const std::vector<std::uint8_t>& bytes)
{
  try {
    files::WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
  } catch (const files::TFileWriteError& error) {
    throw TPictureError("Cannot write the picture work file \"" + path + "\": " + error.Reason() + ".");
  }
}
