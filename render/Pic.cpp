#include "render/Pic.h"

#include <filesystem>

#include "media/ExifOrientation.h"
#include "media/MediaError.h"
#include "media/PictureDecoder.h"
#include "media/PictureKind.h"
#include "media/VectorPicture.h"
#include "render/BmpPicture.h"
#include "render/DrawingFile.h"
#include "render/EditorInterfaces.h"
#include "render/JpegCodec.h"
#include "render/PictureError.h"
#include "render/PictureFrames.h"
#include "render/RgbPicture.h"

namespace {

const char* const BitmapRefusal = "This picture width>800 or height>600!";
const char* const PictureRefusal = "The picture width>800 or height>600!";
const char* const ScaleDownQuestion = "Scale it down to fit?";

std::string SizeText(int width, int height) { return std::to_string(width) + " x " + std::to_string(height); }

// What identifies a file's content cheaply: its path, size and time of change; empty when
// it cannot be read.
std::string FileStamp(const std::string& path)
{
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error) return {};
  const auto changed = std::filesystem::last_write_time(path, error);
  if (error) return {};
  return path + '\n' + std::to_string(size) + '\n' + std::to_string(changed.time_since_epoch().count());
}

} // namespace

TPic::TPic(const std::string& workBasePath, IUserMessages* messages)
    : FWorkBase(workBasePath), FWorkFile(workBasePath + ".jpg"), Messages(messages)
{
}

std::vector<TPictureFrameFile> TPic::Frames() const
{
  if (FFrames.empty()) return {{FWorkFile, 0}};
  return FFrames;
}

bool TPic::Examine()
{
  if (FPictureFile.empty()) return false;
  const std::string stamp = FileStamp(FPictureFile);
  if (!stamp.empty() && stamp == FExaminedStamp && WorkFilesExist()) return true;
  FExaminedStamp.clear(); // set again once the work files hold this picture
  try {
    const bool accepted = ExamineKind();
    if (accepted) FExaminedStamp = stamp;
    return accepted;
  } catch (const media::TMediaError& error) {
    throw TPictureError(error.what());
  }
}

bool TPic::WorkFilesExist() const
{
  std::error_code error;
  for (const TPictureFrameFile& frame : Frames())
    if (!std::filesystem::is_regular_file(frame.WorkFile, error)) return false;
  return true;
}

bool TPic::ExamineKind()
{
  const std::vector<std::uint8_t> head = media::ReadFileHead(FPictureFile, media::PictureHeadBytes);
  const media::TPictureKind kind = media::RecognisePicture(head.data(), head.size());
  switch (kind) {
  case media::TPictureKind::Bmp: return ExamineBitmap();
  case media::TPictureKind::Jpeg: return ExamineJpeg();
  // Icons and metafiles are pictures, but not ones a movie can show.
  case media::TPictureKind::Icon:
  case media::TPictureKind::Metafile: return false;
  case media::TPictureKind::Unknown:
    throw TPictureError("The file \"" + FPictureFile +
                        "\" is not a picture of a kind Greetix reads (JPEG, PNG, GIF, WebP, HEIC, AVIF, BMP or SVG).");
  default: return ExamineDecoded(static_cast<int>(kind));
  }
}

bool TPic::AllowSize(int width, int height, const std::string& refusal, int& fitWidth, int& fitHeight)
{
  fitWidth = width;
  fitHeight = height;
  if (width <= MaxWidth && height <= MaxHeight) return true;
  media::FitWithin(width, height, MaxWidth, MaxHeight, fitWidth, fitHeight);
  if (ScalesWithNote) {
    if (Messages)
      Messages->ShowError("The picture \"" + FPictureFile + "\" (" + SizeText(width, height) + " pixels) is scaled down to " +
                          SizeText(fitWidth, fitHeight) + " to fit 800 x 600.");
    return true;
  }
  if (FScaleAgreed.count(FPictureFile)) return true;
  if (!Messages || !Messages->OfferScaleDown(refusal, ScaleDownQuestion)) return false;
  FScaleAgreed.insert(FPictureFile);
  return true;
}

bool TPic::ExamineBitmap()
{
  // The size comes from the header, so a picture that is refused is never decoded.
  const TPictureSize declared = ReadBmpSize(FPictureFile);
  int fitWidth = 0, fitHeight = 0;
  if (!AllowSize(declared.Width, declared.Height, BitmapRefusal, fitWidth, fitHeight)) return false;
  TRgbPicture picture = DecodeBmp(FPictureFile);
  if (picture.Width != declared.Width || picture.Height != declared.Height) return Refuse(BitmapRefusal);
  Accept(ScaledRgb(picture, fitWidth, fitHeight));
  return true;
}

bool TPic::ExamineJpeg()
{
  // A camera's orientation turns the picture upright: the limit is on the upright size.
  const int orientation = media::JpegOrientation(FPictureFile);
  const bool turns = media::OrientationTurns(orientation);
  const TPictureSize stored = ReadJpegSize(FPictureFile);
  const int width = turns ? stored.Height : stored.Width, height = turns ? stored.Width : stored.Height;
  int fitWidth = 0, fitHeight = 0;
  if (!AllowSize(width, height, PictureRefusal, fitWidth, fitHeight)) return false;
  TRgbPicture picture;
  if (fitWidth == width && fitHeight == height) {
    TJpegDecoding decoding = DecodeJpeg(FPictureFile, stored.Width, stored.Height);
    picture = std::move(decoding.Picture);
  } else {
    // Decoded reduced by libjpeg first, so a 50-megapixel photo never lies whole in memory.
    TJpegDecoding decoding = DecodeJpegAtLeast(FPictureFile, turns ? fitHeight : fitWidth, turns ? fitWidth : fitHeight);
    picture = std::move(decoding.Picture);
  }
  picture.Pixels = media::OrientPixels(picture.Pixels, picture.Width, picture.Height, 3, orientation);
  Accept(ScaledRgb(picture, fitWidth, fitHeight));
  return true;
}

bool TPic::ExamineDecoded(int kindValue)
{
  const auto kind = static_cast<media::TPictureKind>(kindValue);
  const media::TPictureDecoderKind* decoderKind = media::FindPictureDecoder(kind);
  if (!decoderKind)
    throw TPictureError("The picture file \"" + FPictureFile + "\" is a " + media::PictureKindName(kind) +
                        " picture, which Greetix cannot read.");
  std::unique_ptr<media::IPictureDecoder> decoder = decoderKind->Open(FPictureFile, {});
  int fitWidth = 0, fitHeight = 0;
  if (!AllowSize(decoder->Width(), decoder->Height(), PictureRefusal, fitWidth, fitHeight)) return false;
  if (fitWidth != decoder->Width() || fitHeight != decoder->Height())
    decoder = decoderKind->Open(FPictureFile, {fitWidth, fitHeight});

  if (const media::TVectorPicture* drawing = decoder->Drawing()) {
    const std::string path = FWorkBase + ".grxv";
    WriteFileReplacing(path, DrawingFileBytes(*drawing));
    FFrames = {{path, 0}};
    FWidth = decoder->Width();
    FHeight = decoder->Height();
    return true;
  }

  TFrameCollector frames(FPictureFile, MaxFrames, decoder->Lossless(), Quality);
  media::TRgbaFrame frame;
  while (decoder->NextFrame(frame)) frames.Add(std::move(frame));
  if (frames.Empty()) throw TPictureError("The picture file \"" + FPictureFile + "\" holds no picture.");

  // Written only once every frame decoded: a damaged animation leaves the work files alone.
  std::vector<TPictureFrameFile> files;
  for (std::size_t i = 0; i < frames.Count(); ++i) files.push_back({WriteFrame(frames.At(i), i), frames.At(i).DelayMs});
  FFrames = std::move(files);
  // The size it shows at; a drawing's work file may hold more pixels than that.
  FWidth = decoder->Width();
  FHeight = decoder->Height();
  return true;
}

std::string TPic::WriteFrame(const TEncodedFrame& frame, std::size_t index)
{
  // The first frame is the work file; the others are numbered after it.
  const std::string base = index == 0 ? FWorkBase : FWorkBase + "-" + std::to_string(index + 1);
  const std::string path = base + (frame.Png ? ".png" : ".jpg");
  WriteFileReplacing(path, frame.Bytes);
  return path;
}

bool TPic::Refuse(const std::string& message)
{
  if (Messages) Messages->ShowRefusal(message);
  return false;
}

void TPic::Accept(const TRgbPicture& picture)
{
  WriteFileReplacing(FWorkFile, EncodeJpeg(picture, Quality));
  FFrames.clear();
  FWidth = picture.Width;
  FHeight = picture.Height;
}
