#include "tools/FrameCommand.h"

#include <QBuffer>
#include <QImage>

#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/SafeFile.h"
#include "player/MoviePlayer.h"

namespace tools {

namespace {

// Frames and widths beyond these are refused: a frame number makes the player step through
// every frame before it, a width allocates a picture.
constexpr long MaxFrame = 1000000;
constexpr long MaxWidth = 8192;

void PrintUsage(std::FILE* stream) {
  std::fputs("usage: greetix-cli frame MOVIE.swf N -o OUT.png [--width W] [--quality low|medium|high]\n"
             "  low: hard edges; medium: four samples a pixel, as GPU players antialias;\n"
             "  high (the default): exactly antialiased edges\n",
             stream);
}

std::optional<player::TEdges> ParseQuality(const std::string& text) {
  if (text == "low") return player::TEdges::Hard;
  if (text == "medium") return player::TEdges::FourSamples;
  if (text == "high") return player::TEdges::Exact;
  return std::nullopt;
}

std::optional<long> ParseNumber(const std::string& text, long low, long high) {
  if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos || text.size() > 9) {
    return std::nullopt;
  }
  const long value = std::stol(text);
  if (value < low || value > high) return std::nullopt;
  return value;
}

}  // namespace

int RunFrame(int argc, char** argv) {
  std::string movie, output;
  std::optional<long> frame, width;
  std::optional<player::TEdges> edges;
  for (int i = 1; i < argc; ++i) {
    const std::string argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      PrintUsage(stdout);
      return 0;
    }
    if (argument == "-o" && i + 1 < argc && output.empty()) {
      output = argv[++i];
    } else if (argument == "--width" && i + 1 < argc && !width) {
      width = ParseNumber(argv[++i], 1, MaxWidth);
      if (!width) {
        std::fprintf(stderr, "greetix-cli: the width must be 1 to %ld pixels\n", MaxWidth);
        return 2;
      }
    } else if (argument == "--quality" && i + 1 < argc && !edges) {
      edges = ParseQuality(argv[++i]);
      if (!edges) {
        std::fputs("greetix-cli: the quality must be low, medium or high\n", stderr);
        return 2;
      }
    } else if (movie.empty() && !argument.empty() && argument[0] != '-') {
      movie = argument;
    } else if (!frame && !movie.empty()) {
      frame = ParseNumber(argument, 0, MaxFrame);
      if (!frame) {
        std::fprintf(stderr, "greetix-cli: the frame must be a number from 0 to %ld\n", MaxFrame);
        return 2;
      }
    } else {
      PrintUsage(stderr);
      return 2;
    }
  }
  if (movie.empty() || !frame || output.empty()) {
    PrintUsage(stderr);
    return 2;
  }

  try {
    player::TMoviePlayer player;
    player.SetEdges(edges.value_or(player::TEdges::Exact));
    player.LoadFile(movie);
    for (long i = 0; i < *frame; ++i) player.Tick();
    const QSizeF stage = player.StageSize();
    if (stage.width() < 1 || stage.height() < 1) throw std::runtime_error("the movie's stage is empty");
    const long pictureWidth = width.value_or(std::lround(stage.width()));
    const long pictureHeight = std::lround(pictureWidth * stage.height() / stage.width());
    if (pictureWidth < 1 || pictureWidth > MaxWidth || pictureHeight < 1 || pictureHeight > MaxWidth) {
      throw std::runtime_error("the picture would be " + std::to_string(pictureWidth) + " x " +
                               std::to_string(pictureHeight) + " pixels, too large");
    }
    const QImage image = player.RenderImage(QSize(static_cast<int>(pictureWidth),
                                                  static_cast<int>(pictureHeight)))
                             .convertToFormat(QImage::Format_RGB32);
    // Encoded in memory first: the encoder's own complaints would not make one line.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw std::runtime_error("cannot encode the picture");
    Platform::WriteFileAtomically(QString::fromLocal8Bit(output.c_str()), png);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "greetix-cli: %s: %s\n", movie.c_str(), error.what());
    return 1;
  }
}

}  // namespace tools
