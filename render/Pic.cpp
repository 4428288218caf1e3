#include "render/Pic.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "render/BmpPicture.h"
#include "render/EditorInterfaces.h"
#include "render/JpegCodec.h"
#include "render/PictureError.h"
#include "render/RgbPicture.h"

namespace {

// The extension with its dot, in upper case: "photo.bmp" gives ".BMP".
std::string UpperExtension(const std::string& path)
{
  std::string extension = std::filesystem::path(path).extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return extension;
}

void CheckReadable(const std::string& path)
{
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TPictureError("Cannot open the picture file \"" + path + "\": " + std::strerror(errno) + ".");
}

} // namespace

TPic::TPic(const std::string& workBasePath, IUserMessages* messages)
    : FWorkFile(workBasePath + ".jpg"), Messages(messages)
{
}

bool TPic::Examine()
{
  if (FPictureFile.empty()) return false;
  const std::string extension = UpperExtension(FPictureFile);
  if (extension == ".BMP") return ExamineBitmap();
  if (extension == ".JPG" || extension == ".JPEG") return ExamineJpeg();
  // Icons and metafiles are pictures, but not ones a movie can show.
  if (extension == ".ICO" || extension == ".EMF" || extension == ".WMF") {
    CheckReadable(FPictureFile);
    return false;
  }
  throw TPictureError("Unknown picture file extension (" + extension + ") of \"" + FPictureFile + "\".");
}

bool TPic::ExamineBitmap()
{
  // The size comes from the header, so a picture that is too large is never decoded.
  const TPictureSize declared = ReadBmpSize(FPictureFile);
  if (declared.Width > MaxWidth || declared.Height > MaxHeight)
    return Refuse("This picture width>800 or height>600!");
  const TRgbPicture picture = DecodeBmp(FPictureFile);
  if (picture.Width > MaxWidth || picture.Height > MaxHeight) return Refuse("This picture width>800 or height>600!");
  Accept(picture);
  return true;
}

bool TPic::ExamineJpeg()
{
  const TJpegDecoding decoding = DecodeJpeg(FPictureFile, MaxWidth, MaxHeight);
  if (decoding.TooLarge) return Refuse("The picture width>800 or height>600!");
  Accept(decoding.Picture);
  return true;
}

bool TPic::Refuse(const std::string& message)
{
  if (Messages) Messages->ShowRefusal(message);
  return false;
}

void TPic::Accept(const TRgbPicture& picture)
{
  WriteFileReplacing(FWorkFile, EncodeJpeg(picture, Quality));
  FWidth = picture.Width;
  FHeight = picture.Height;
}
