#include "tools/ThumbnailCommand.h"

#include <QBuffer>
#include <QImage>

#include <sys/resource.h>

#include <chrono>
#include <charconv>
#include <filesystem>
#include <thread>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <fstream>
#include <optional>
#include <set>
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

// File managers ask for a thumbnail of every file they show, whoever made it: however the
// file is made, a thumbnail takes at most this much memory and time, or fails.
// The data the process may hold; its code and shared libraries take some 50 MB besides.
constexpr rlim_t MaxThumbnailBytes = 250u << 20;
#if defined(__SANITIZE_ADDRESS__)
// The sanitizers' own memory is counted as data and their checks take time.
constexpr bool LimitMemory = false;
constexpr int MaxThumbnailSeconds = 50;
#else
constexpr bool LimitMemory = true;
constexpr int MaxThumbnailSeconds = 5;
#endif

// Memory: the process's data (its heap and private mappings) is capped, so an allocation
// past the cap fails and the thumbnail with it.
void LimitThisProcess() {
  if (!LimitMemory) return;
  rlimit data{};
  if (getrlimit(RLIMIT_DATA, &data) != 0) return;
  if (data.rlim_cur == RLIM_INFINITY || data.rlim_cur > MaxThumbnailBytes) data.rlim_cur = MaxThumbnailBytes;
  setrlimit(RLIMIT_DATA, &data);
}

// Time: past it the thumbnail is given up, its working folder removed, and the program
// ends with status 1; the picture it would have replaced stays.
void StartWatchdog(const std::string& input, const std::filesystem::path& workFolder) {
  std::thread([input, workFolder] {
    std::this_thread::sleep_for(std::chrono::seconds(MaxThumbnailSeconds));
    std::fprintf(stderr, "greetix-cli: %s: a thumbnail takes longer than %d s; none is made\n", input.c_str(),
                 MaxThumbnailSeconds);
    std::error_code ignored;
    if (!workFolder.empty()) std::filesystem::remove_all(workFolder, ignored);
    std::_Exit(1);
  }).detach();
}

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

// A card's messages (a picture that cannot be used, or one outside the card's folder) do
// not stop its thumbnail; each is noted once on standard error.
class TNotedMessages : public IUserMessages {
public:
  void ShowError(const std::string& text) override {
    if (Shown.insert(text).second) std::fprintf(stderr, "greetix-cli: note: %s\n", text.c_str());
  }

private:
  std::set<std::string> Shown;
};

void RenderCard(const std::string& card, const std::string& movieFile) {
  TCardRenderOptions options;
  options.CardFile = card;
  options.OutputFile = movieFile;
  options.Seed = 0;  // the same picture every time
  // A card received from someone is drawn from its own media only, never the user's files.
  options.ConfineMedia = true;
  options.ProgramFolder = Platform::ProgramFolder().toStdString();
  TNotedMessages messages;
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
    LimitThisProcess();
    std::string movieFile = input;
    std::optional<files::TScratchFolder> work;
    if (!IsMovie(input)) work.emplace("thumbnail");
    StartWatchdog(input, work ? work->Path() : std::filesystem::path());
    if (work) {
      movieFile = work->File("card.swf");
      RenderCard(input, movieFile);
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!ThirdFrame(movieFile, size).save(&buffer, "PNG")) throw std::runtime_error("cannot encode the picture");
    Platform::WriteFileAtomically(QString::fromLocal8Bit(output.c_str()), png);
    return 0;
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "greetix-cli: %s: a thumbnail would take more than %d MB; none is made\n", input.c_str(),
                 static_cast<int>(MaxThumbnailBytes >> 20));
    return 1;
  } catch (const std::exception& error) {
    std::string text = error.what();
    for (char& c : text)
      if (c == '\n' || c == '\r') c = ' ';
    std::fprintf(stderr, "greetix-cli: %s: %s\n", input.c_str(), text.c_str());
    return 1;
  }
}

}  // namespace tools
