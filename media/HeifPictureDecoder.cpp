// HEIC/HEIF and AVIF photos through libheif (Debian's build decodes HEVC with libde265 and
// AV1 with dav1d), with the rotation, mirroring and crop the file asks for applied.
#include <libheif/heif.h>

#include <cstring>
#include <memory>

#include "media/FrameConversion.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"

namespace media {

namespace {

// Sides larger than this are refused before anything is decoded.
constexpr int MaxSide = 16384;

struct TContextFree {
  void operator()(heif_context* context) const { heif_context_free(context); }
};
struct THandleRelease {
  void operator()(heif_image_handle* handle) const { heif_image_handle_release(handle); }
};
struct TImageRelease {
  void operator()(heif_image* image) const { heif_image_release(image); }
};
struct TOptionsFree {
  void operator()(heif_decoding_options* options) const { heif_decoding_options_free(options); }
};

class THeifPictureDecoder : public IPictureDecoder {
 public:
  THeifPictureDecoder(const std::string& path, const TPictureRequest& request) : FPath(path), FRequest(request) {
    FContext.reset(heif_context_alloc());
    if (!FContext) Refuse("out of memory");
    heif_context_set_maximum_image_size_limit(FContext.get(), MaxSide);
    Check(heif_context_read_from_file(FContext.get(), path.c_str(), nullptr));
    heif_image_handle* handle = nullptr;
    Check(heif_context_get_primary_image_handle(FContext.get(), &handle));
    FHandle.reset(handle);
    const int width = heif_image_handle_get_width(handle);
    const int height = heif_image_handle_get_height(handle);
    if (width <= 0 || height <= 0) Refuse("no pixels");
    if (width > MaxSide || height > MaxSide || std::uint64_t(width) * std::uint64_t(height) > MaxDecodedPixels)
      throw TMediaError("The picture \"" + path + "\" is too large to read (" + std::to_string(width) + " x " +
                        std::to_string(height) + " pixels).");
    FWidth = width;
    FHeight = height;
    if (request.FitWidth > 0 && request.FitHeight > 0)
      FitWithin(width, height, request.FitWidth, request.FitHeight, FWidth, FHeight);
  }

  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  bool Lossless() const override { return false; }

  bool NextFrame(TRgbaFrame& frame) override {
    if (FDone) return false;
    FDone = true;
    std::unique_ptr<heif_decoding_options, TOptionsFree> options(heif_decoding_options_alloc());
    heif_image* decoded = nullptr;
    Check(heif_decode_image(FHandle.get(), &decoded, heif_colorspace_RGB, heif_chroma_interleaved_RGBA, options.get()));
    std::unique_ptr<heif_image, TImageRelease> image(decoded);
    int stride = 0;
    const std::uint8_t* plane = heif_image_get_plane_readonly(decoded, heif_channel_interleaved, &stride);
    const int width = heif_image_get_width(decoded, heif_channel_interleaved);
    const int height = heif_image_get_height(decoded, heif_channel_interleaved);
    if (!plane || width <= 0 || height <= 0 || stride < width * 4) Refuse("no pixels decoded");
    frame.Width = width;
    frame.Height = height;
    frame.DelayMs = 0;
    const std::size_t rowBytes = std::size_t(width) * 4;
    frame.Pixels.resize(rowBytes * std::size_t(height));
    for (int y = 0; y < height; ++y)
      std::memcpy(frame.Pixels.data() + rowBytes * std::size_t(y), plane + std::size_t(stride) * std::size_t(y), rowBytes);
    image.reset();  // the full-size decoding is freed before the scaled copy is made
    if (FRequest.FitWidth > 0 && FRequest.FitHeight > 0) FitFrame(frame, FRequest.FitWidth, FRequest.FitHeight, FPath);
    return true;
  }

 private:
  void Check(const heif_error& error) const {
    if (error.code != heif_error_Ok) Refuse(error.message ? error.message : "unknown error");
  }

  [[noreturn]] void Refuse(const std::string& reason) const {
    throw TMediaError("The picture file \"" + FPath + "\" is not a readable HEIF or AVIF picture (" + reason + ").");
  }

  std::string FPath;
  TPictureRequest FRequest;
  std::unique_ptr<heif_context, TContextFree> FContext;
  std::unique_ptr<heif_image_handle, THandleRelease> FHandle;
  int FWidth = 0;
  int FHeight = 0;
  bool FDone = false;
};

}  // namespace

std::unique_ptr<IPictureDecoder> OpenHeifPicture(const std::string& path, const TPictureRequest& request) {
  return std::make_unique<THeifPictureDecoder>(path, request);
}

}  // namespace media
