// The two pictures the preview shows while the selected object is dragged: the card's frame
// without the object, and the object alone on nothing, so the object can follow the pointer
// before the card renders at the release.
#pragma once

#include <QImage>
#include <QSize>

class TFlashCard;
namespace swf {
class TSwfMovie;
}

struct TDragLayers {
  QImage Backdrop;
  QImage Object; // transparent around the object
};

// Both pictures at `frame`, of `size` device pixels, drawn as the preview draws its movie.
// The builder is left empty. Throws what the render throws.
TDragLayers MakeDragLayers(TFlashCard& card, swf::TSwfMovie& builder, int objectIndex, int frame, QSize size);
