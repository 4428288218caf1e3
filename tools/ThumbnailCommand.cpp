#include "tools/ThumbnailCommand.h"

#include <QBuffer>
#include <QImage>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/InputFile.h"
#include "platform/SafeFile.h"
#include "platform/ScratchFolder.h"
#include "platform/SystemPaths.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "tools/CardRender.h"

namespace tools {

namespace {

constexpr const char* Usage = "usage: greetix-cli thumbnail IN OUT.png --size N";
// File managers ask for 128 to 1024 pixels; more than this is a mistake, not a thumbnail.
constexpr int MaxSize = 2048;

int WrongArguments(const std::string& why) {
  std::fprintf(stderr, "greetix-cli: %s\n%s\n", why.c_str(), Usage);
  return 2;
}

bool IsMovie(const std::string& file) {
  char signature[3] = {};
  std::ifstream in(file, std::ios::binary);
  if (!in.read(signature, 3)) return false;
  return signature[1] == 'W' && signature[2] == 'S' &&
         (signature[0] == 'F' || signature[0] == 'C' || signature[0] == 'Z');
}

// A card's messages (a picture that cannot be used) do not stop its thumbnail.
class TQuietMessages : public IUserMessages {
public:
  void ShowError(const std::string&) override {}
};

void RenderCard(const std::string& card, const std::string& movieFile) {
  TCardRenderOptions options;
  options.CardFile = card;
  options.OutputFile = movieFile;
  options.Seed = 0;  // the same picture every time
  options.ProgramFolder = Platform::ProgramFolder().toStdString();
  TQuietMessages messages;
  RenderCardFile(options, &messages);
}

QImage ThirdFrame(const std::string& movieFile, int size) {
  player::TMoviePlayer player;
  player.LoadFile(movieFile, false);
  const QSizeF stage = player.StageSize();
  if (stage.width() < 1 || stage.height() < 1) throw std::runtime_error("the movie's stage is empty");
  player.GotoFrame(player.TotalFrames() / 3);
  QSizeF picture = stage;
  picture.scale(size, size, Qt::KeepAspectRatio);
  const QSize pixels(std::max(1, int(std::lround(picture.width()))), std::max(1, int(std::lround(picture.height()))));
  return player.RenderImage(pixels).convertToFormat(QImage::Format_RGB32);
}

}  // namespace

int RunThumbnail(int argc, char** argv) {
  std::string input, output;
  int size = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "--size" && i + 1 < argc && size == 0) {
      const char* text = argv[++i];
      auto [end, error] = std::from_chars(text, text + std::strlen(text), size);
      if (error != std::errc() || *end != '\0' || size < 1 || size > MaxSize)
        return WrongArguments("the size must be 1 to " + std::to_string(MaxSize) + " pixels");
    } else if (!argument.empty() && argument[0] == '-') {
      return WrongArguments("unknown option \"" + argument + "\"");
    } else if (input.empty()) {
      input = argument;
    } else if (output.empty()) {
      output = argument;
    } else {
      return WrongArguments("more than two files given");
    }
  }
  if (input.empty() || output.empty() || size == 0) return WrongArguments("IN, OUT.png and --size N are needed");

  try {
    files::RefuseNonRegularFile(input);
    std::string movieFile = input;
    std::optional<files::TScratchFolder> work;
    if (!IsMovie(input)) {
      work.emplace("thumbnail");
      movieFile = work->File("card.swf");
      RenderCard(input, movieFile);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!ThirdFrame(movieFile, size).save(&buffer, "PNG")) throw std::runtime_error("cannot encode the picture");
    Platform::WriteFileAtomically(QString::fromLocal8Bit(output.c_str()), png);
    return 0;
  } catch (const std::exception& error) {
    std::string text = error.what();
    for (char& c : text)
      if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "greetix-cli: %s: %s\n", input.c_str(), text.c_str());
    return 1;
  }
}

}  // namespace tools
