// Frames drawn once and read back later in the same order, kept compressed in a nameless
// temporary file: a GIF's palette needs every frame before the first can be written, and
// neither drawing them twice nor holding them all in memory is wanted. Each frame is
// stored as runs against the one before, so a still background costs next to nothing.
#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>
#include <string>
#include <vector>

namespace exporter {

class TFrameSpool {
 public:
  // Frames of this size (RGB32) for the file the user calls shownName (named in messages),
  // in at most maxBytes of the temporary folder; throws TExportError when no temporary file
  // can be made.
  TFrameSpool(const QSize& size, std::string shownName, uint64_t maxBytes);
  ~TFrameSpool();
  TFrameSpool(const TFrameSpool&) = delete;
  TFrameSpool& operator=(const TFrameSpool&) = delete;

  // False, with the file emptied, once the frames would pass maxBytes: they are then
  // drawn again rather than fill the folder. Nothing more is added after that.
  bool Add(const QImage& frame);
  bool Full() const { return FFull; }
  // Reading starts at the first frame; frames come back exactly as added.
  QImage Next();
  int Frames() const { return FFrames; }
  uint64_t StoredBytes() const { return FEnd; }

 private:
  [[noreturn]] void Fail(int error) const;
  void WriteAll(const void* data, size_t size);
  void ReadAll(void* data, size_t size);

  QSize FSize;
  std::string FShownName;
  int FDescriptor = -1;
  uint64_t FMaxBytes;
  bool FFull = false;
  int FFrames = 0;
  int FRead = 0;
  uint64_t FEnd = 0;       // bytes written
  uint64_t FReadAt = 0;    // the next frame's offset when reading
  std::vector<uint32_t> FLast;  // the frame before
  std::vector<uint32_t> FRuns;  // one frame's runs
};

}  // namespace exporter
