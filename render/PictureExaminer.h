// The picture examiner as its users see it: it checks a picture file and writes it as the
// JPEG work file that MakePicture receives. The picture code provides the implementation
// and installs its factory; the card and the picture objects share one examiner.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// One frame of an examined picture: its work file and how long it shows, in milliseconds.
struct TPictureFrameFile {
  std::string WorkFile;
  int DelayMs = 0;
};

class IPictureExaminer {
public:
  virtual ~IPictureExaminer() = default;
  virtual void SetPictureFile(const std::string& path) = 0;
  // True when the work file now holds the picture and Width and Height are its size. May
  // show its own message (a picture too large) and return false; a file that does not load
  // throws.
  virtual bool Examine() = 0;
  virtual std::string WorkFile() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // The frames of the picture examined last: one for a still picture (its WorkFile, delay 0),
  // each with its own work file for an animation.
  virtual std::vector<TPictureFrameFile> Frames() const { return {{WorkFile(), 0}}; }
};

class TRenderContext;

// Makes the examiner of `context`: its work file is the context's WorkBasePath + ".jpg", and
// it tells its refusals through the context's Messages.
using TPictureExaminerFactory = std::function<std::unique_ptr<IPictureExaminer>(TRenderContext& context)>;

// The factory used when a render context first needs an examiner. The picture code sets it
// once (a registrar in its own source file); without one no picture can be examined.
void SetPictureExaminerFactory(TPictureExaminerFactory factory);
const TPictureExaminerFactory& PictureExaminerFactory();
