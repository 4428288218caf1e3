#include "app/DragLayers.h"

#include <QPainter>
#include <optional>

#include "card/FlashCard.h"
#include "player/MoviePlayer.h"
#include "swf/builder/SwfMovie.h"

namespace {

QImage DrawPart(TFlashCard& card, swf::TSwfMovie& builder, TFlashCard::TPlacing placing, int frame, QSize size)
{
  card.RenderPartToBuilder(placing);
  const std::vector<uint8_t> bytes = builder.MovieBytes();
  builder.Clear();
  player::TMoviePlayer player;
  player.LoadBytes(bytes, false);
  player.GotoFrame(frame);
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) return image;
  image.fill(Qt::transparent);
  QPainter painter(&image);
  // The object alone lies on nothing; what stays behind it has the movie's background.
  player.Render(painter, image.rect(), placing.Alone ? std::optional<QColor>(Qt::transparent) : std::nullopt);
  return image;
}

} // namespace

TDragLayers MakeDragLayers(TFlashCard& card, swf::TSwfMovie& builder, int objectIndex, int frame, QSize size)
{
  TDragLayers layers;
  layers.Backdrop = DrawPart(card, builder, {objectIndex, false}, frame, size);
  layers.Object = DrawPart(card, builder, {objectIndex, true}, frame, size);
  return layers;
}
