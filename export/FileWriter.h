// A file the export writes itself, byte by byte (the animated WebP): every write checked,
// a failure told with the name the user chose, not the temporary one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class QImage;

namespace exporter {

class TFileWriter {
 public:
  // Opens path (an existing temporary file) for writing from its start; shownName is the
  // target's name, for messages. Throws TExportError.
  TFileWriter(const std::string& path, std::string shownName);
  ~TFileWriter();
  TFileWriter(const TFileWriter&) = delete;
  TFileWriter& operator=(const TFileWriter&) = delete;

  void Write(std::string_view bytes);
  // Bytes written so far.
  uint64_t Size() const { return FSize; }
  // Writes over bytes already written (a size field known at the end).
  void WriteAt(uint64_t offset, std::string_view bytes);
  void Close();

 private:
  [[noreturn]] void Fail(int error) const;

  int FDescriptor = -1;
  std::string FShownName;
  uint64_t FSize = 0;
};

// Writes the picture as a PNG file (encoded in memory first, so a full disk is told as
// such and not as the PNG library's words).
void WritePngFile(const QImage& picture, const std::string& path, const std::string& shownName);

}  // namespace exporter
