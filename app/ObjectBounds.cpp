#include "app/ObjectBounds.h"

#include <QImage>
#include <QPainter>

#include "card/FlashCard.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfMovie.h"

TObjectBounds::TObjectBounds() = default;

TObjectBounds::~TObjectBounds() = default;

void TObjectBounds::Load(TFlashCard& card, swf::TSwfMovie& builder, int objectIndex) {
  Clear();
  card.RenderPartToBuilder({objectIndex, true});
  const std::vector<uint8_t> bytes = builder.MovieBytes();
  builder.Clear();
  auto player = std::make_unique<player::TMoviePlayer>();
  player->LoadBytes(bytes, false);
  Player = std::move(player);
}

void TObjectBounds::Clear() { Player.reset(); }

bool TObjectBounds::Loaded() const { return Player != nullptr; }

QRect TObjectBounds::BoundsAt(int frame, QSize size) {
  if (!Player || size.isEmpty())
    return {};
  Player->GotoFrame(frame);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull())
    return {};
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    Player->Render(painter, image.rect(), QColor(Qt::transparent));
  }
  int left = size.width(), right = -1, top = size.height(), bottom = -1;
  for (int y = 0; y < size.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    int first = -1, last = -1;
    for (int x = 0; x < size.width(); ++x)
      if (qAlpha(line[x]) != 0) {
        if (first < 0)
          first = x;
        last = x;
      }
    if (first < 0)
      continue;
    left = std::min(left, first);
    right = std::max(right, last);
    top = std::min(top, y);
    bottom = y;
  }
  return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}
