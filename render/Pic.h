// TPic, the picture examiner: recognises a picture by its content (JPEG, PNG, GIF, WebP,
// HEIC/HEIF, AVIF, BMP, SVG), refuses one larger than 800 x 600 pixels unless it may be
// scaled down to fit, and writes what it accepts to the work file that MakePicture
// receives: JPEG pictures (and lossy photos without transparency) again as JPEG of quality
// 75, lossless ones and those with transparency as PNG with their alpha, and an SVG drawing
// that shapes can show as its outlines (".grxv"). An animation gets one work file per frame.
// The card's background picture, the picture objects and the picture chooser share one
// examiner.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "render/PictureExaminer.h"

class IUserMessages;
struct TRgbPicture;

class TPic : public IPictureExaminer {
public:
  static constexpr int MaxWidth = 800;
  static constexpr int MaxHeight = 600;
  static constexpr int Quality = 75;
  // An animation may have this many frames (after equal neighbours are merged).
  static constexpr int MaxFrames = 1000;

  // The work file is workBasePath + ".jpg" (or ".png" for a lossless picture). Refusals are
  // told through `messages` (may be null: then they are only returned).
  TPic(const std::string& workBasePath, IUserMessages* messages);

  void SetPictureFile(const std::string& path) override { FPictureFile = path; }
  const std::string& PictureFile() const { return FPictureFile; }

  // True when the work file now holds the picture and Width and Height are its size. A
  // picture over 800 x 600 is refused with a message unless the user agrees to have it
  // scaled down (asked once per file) or ScalesWithNote is set; an icon or metafile is
  // refused silently. A file that is missing, damaged, or of a kind no decoder takes throws
  // TPictureError; the work file and the size then stay as they were.
  bool Examine() override;

  std::string WorkFile() const override { return FFrames.empty() ? FWorkFile : FFrames.front().WorkFile; }
  int Width() const override { return FWidth; }
  int Height() const override { return FHeight; }
  std::vector<TPictureFrameFile> Frames() const override;

  // Set where no one can be asked: a picture too large is scaled down to fit, and a note
  // (through ShowError) says so.
  bool ScalesWithNote = false;

private:
  bool ExamineKind();
  bool ExamineBitmap();
  bool ExamineJpeg();
  bool ExamineDecoded(int kind);
  // Whether a picture shown at width x height may be used; fitWidth x fitHeight receive the
  // size to use it at (smaller when it is scaled down).
  bool AllowSize(int width, int height, const std::string& refusal, int& fitWidth, int& fitHeight);
  bool Refuse(const std::string& message);
  bool WorkFilesExist() const;
  void Accept(const TRgbPicture& picture);
  std::string WriteFrame(const struct TEncodedFrame& frame, std::size_t index);

  std::string FPictureFile;
  std::string FWorkBase;
  std::string FWorkFile;
  int FWidth = 0;
  int FHeight = 0;
  std::vector<TPictureFrameFile> FFrames; // empty for a JPEG or BMP (FWorkFile alone)
  std::set<std::string> FScaleAgreed;      // files the user agreed to have scaled down
  // The file the work files hold now, as it was when examined: every render of the editor
  // examines its pictures again, and an unchanged one need not be decoded again.
  std::string FExaminedStamp;
  IUserMessages* Messages;
};
