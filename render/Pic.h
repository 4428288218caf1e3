// TPic, the picture examiner: loads a BMP or JPEG picture, refuses one larger than
// 800 x 600 pixels, and writes every picture it accepts, decoded and encoded again at JPEG
// quality 75, to the one JPEG work file that MakePicture receives. The card's background
// picture, the picture objects and the picture chooser share one examiner.
#pragma once

#include <string>

#include "render/PictureExaminer.h"

class IUserMessages;

class TPic : public IPictureExaminer {
public:
  static constexpr int MaxWidth = 800;
  static constexpr int MaxHeight = 600;
  static constexpr int Quality = 75;

  // The work file is workBasePath + ".jpg". Refusals are told through `messages` (may be
  // null: then they are only returned).
  TPic(const std::string& workBasePath, IUserMessages* messages);

  void SetPictureFile(const std::string& path) override { FPictureFile = path; }
  const std::string& PictureFile() const { return FPictureFile; }

  // True when the work file now holds the picture and Width and Height are its size. A
  // picture over 800 x 600 is refused with a message; an icon or metafile is refused
  // silently. A file that is missing, damaged, or of a kind no loader takes throws
  // TPictureError; the work file and the size then stay as they were.
  bool Examine() override;

  std::string WorkFile() const override { return FWorkFile; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }

private:
  bool ExamineBitmap();
  bool ExamineJpeg();
  bool Refuse(const std::string& message);
  void Accept(const struct TRgbPicture& picture);

  std::string FPictureFile;
  std::string FWorkFile;
  int FWidth = 0;
  int FHeight = 0;
  IUserMessages* Messages;
};
