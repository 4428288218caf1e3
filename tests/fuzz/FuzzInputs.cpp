#include "fuzz/FuzzInputs.h"

#include <QBuffer>
#include <QByteArray>

#include <chrono>
#include <cstring>
#include <stdexcept>

#include "bulk/ListFile.h"
#include "bulk/OutputNames.h"
#include "convert/EmbeddedMovieFile.h"
#include "convert/ProjectorFile.h"
#include "fuzz/ScratchFolder.h"
#include "plugins/SoundImport.h"
#include "render/EditorInterfaces.h"
#include "render/Pic.h"
#include "render/PictureError.h"
#include "tools/CardRender.h"

namespace fuzzinput {

namespace {

// The refusals a user would see in a box; the fuzzer only wants them not to crash.
class TQuietMessages : public IUserMessages {
public:
  void ShowError(const std::string&) override {}
};

bool StartsWith(const uint8_t* data, size_t size, const char* prefix) {
  const size_t length = std::strlen(prefix);
  return size >= length && std::memcmp(data, prefix, length) == 0;
}

}  // namespace

void RenderCard(const uint8_t* data, size_t size) {
  TCardRenderOptions options;
  options.CardFile = WriteScratchFile("card.grx", data, size);
  options.OutputFile = ScratchFolder() + "card.swf";
  options.ProgramFolder = ScratchFolder();
  options.Seed = 1;
  TQuietMessages messages;
  try {
    RenderCardFile(options, &messages);
  } catch (const std::runtime_error&) {
    // a card that cannot be read: refused with a message
  }
}

void ExaminePicture(const uint8_t* data, size_t size) {
  // The examiner tells every kind by its content; large pictures are scaled, not refused,
  // so the scaling paths are reached too.
  TQuietMessages messages;
  TPic examiner(ScratchFolder() + "work", &messages);
  examiner.ScalesWithNote = true;
  examiner.SetPictureFile(WriteScratchFile("picture", data, size));
  try {
    examiner.Examine();
  } catch (const TPictureError&) {
  }
}

void ImportSound(const uint8_t* data, size_t size) {
  // MP3 to the MP3 module by its name; everything else (WAV, M4A, Ogg, FLAC, ...) to the
  // other, which tells the kind by content.
  const bool mp3 = StartsWith(data, size, "ID3") || (size >= 2 && data[0] == 0xFF && (data[1] & 0xE0) == 0xE0);
  const std::string source = WriteScratchFile(mp3 ? "sound.mp3" : "sound.snd", data, size);
  plugins::TSoundImportOptions options;
  options.StallTimeout = std::chrono::milliseconds(5000);
  options.PollInterval = std::chrono::milliseconds(0);
  try {
    plugins::ImportSound(source, nullptr, options, ScratchFolder() + "sound-out.wav");
  } catch (const plugins::TSoundImportError&) {
  }
}

void ReadList(const uint8_t* data, size_t size) {
  const std::string file = WriteScratchFile(size > 0 && data[0] == 't' ? "list.tsv" : "list.csv", data, size);
  try {
    const TListTable table = ReadListFile(file, 64);
    if (table.Records.size() > 64 || table.Records.size() > table.RecordCount) __builtin_trap();
    TUniqueNames names;
    for (const TListRecord& record : table.Records) {
      if (record.Cells.size() > MaxListFields) __builtin_trap();
      for (const std::string& cell : record.Cells) {
        if (cell.size() > MaxValueBytes) __builtin_trap(); // a value past the limit was kept
        const std::string name = names.Take(SafeFileName(cell));
        if (name.find('/') != std::string::npos || name.starts_with('.')) __builtin_trap();
      }
    }
  } catch (const std::runtime_error&) {
  }
}

void ExtractProjectorMovie(const uint8_t* data, size_t size) {
  QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  TEmbeddedMovie located;
  try {
    located = LocateEmbeddedMovie(buffer, QStringLiteral("program"));
  } catch (const TUnknownExecutableError&) {
    return;
  }
  if (located.Offset < 0 || located.Length < 0 || located.Offset + located.Length > qint64(size))
    __builtin_trap();  // the trailer was believed beyond the file's end

  const std::string program = WriteScratchFile("program", data, size);
  try {
    const TEmbeddedMovieFile mapped(QString::fromStdString(program));
    if (mapped.Bytes().size() != size_t(located.Length)) __builtin_trap();
  } catch (const std::runtime_error&) {
  }
  try {
    ExeToSwf(QString::fromStdString(program), QString::fromStdString(ScratchFolder() + "movie.swf"));
  } catch (const std::runtime_error&) {
  }
}

}  // namespace fuzzinput
