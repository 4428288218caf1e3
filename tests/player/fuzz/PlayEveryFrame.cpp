#include "PlayEveryFrame.h"

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <span>

#include "player/MoviePlayer.h"
#include "swf/format/SwfError.h"

namespace playerfuzz {

void PlayEveryFrame(const uint8_t* data, size_t size) {
  player::TMoviePlayer player(player::TAudioMode::Silent);
  try {
    player.LoadBytes(std::span<const uint8_t>(data, size));
  } catch (const swf::TSwfError&) {
    return;  // not a movie at all: refused cleanly
  }
  QImage image(80, 60, QImage::Format_ARGB32_Premultiplied);
  auto draw = [&] {
    QPainter painter(&image);
    player.Render(painter, image.rect());
  };
  const int frames = std::min(player.TotalFrames(), MaxFrames);
  for (int i = 0; i < frames; ++i) {
    draw();
    player.Tick();
  }
  player.SetEdges(player::TEdges::Hard);
  player.GotoFrame(player.TotalFrames());
  draw();
  player.GotoFrame(frames / 2);
  player.GotoFrame(0);
  player.SetEdges(player::TEdges::FourSamples);
  draw();
  // The pointer over a grid of the stage: buttons roll over, press and release.
  const QSizeF stage = player.StageSize();
  for (int i = 0; i < 12; ++i) {
    player.PointerMove(QPointF(stage.width() * (i % 4 + 0.5) / 4, stage.height() * (i / 4 + 0.5) / 3));
    player.PointerPress();
    if (i % 3 == 0) player.PointerMove(std::nullopt);
    player.PointerRelease();
  }
  draw();
  player.Warnings();
}

}  // namespace playerfuzz
