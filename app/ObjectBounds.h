// Where one object of the card shows on the preview at a frame: the card rendered with that
// object alone, and the bounds of the pixels it draws. A text has no size of its own in the
// card; this is what its outline follows, effects included.
#pragma once

#include <QRect>
#include <QSize>
#include <memory>

class TFlashCard;
namespace player {
class TMoviePlayer;
}
namespace swf {
class TSwfMovie;
}

class TObjectBounds {
public:
  TObjectBounds();
  ~TObjectBounds();

  // Renders the object alone into a movie kept for BoundsAt; the builder is left empty.
  // Throws what the render throws.
  void Load(TFlashCard& card, swf::TSwfMovie& builder, int objectIndex);
  void Clear();
  bool Loaded() const;
  // Device pixels of what the object draws at `frame` in an area of `size` device pixels,
  // placed as the preview places its movie; empty when it draws nothing then.
  QRect BoundsAt(int frame, QSize size);

private:
  std::unique_ptr<player::TMoviePlayer> Player;
};
