// The painted title strip's mouse: a press only arms a window move, which starts once the
// pointer has travelled a few pixels with the left button held. A click without travel
// leaves the pointer to the program (a move started at once hands the next press to the
// window manager), so two clicks make a double-click.
#pragma once

#include <QPoint>
#include <optional>

class TTitleDrag {
public:
  // Travel in pixels, in either direction, that turns a press into a window move.
  static constexpr int StartDistance = 4;

  void Press(Qt::MouseButton button, QPoint globalPoint);
  // True once per press, when the pointer has travelled far enough with the left button held.
  bool Move(Qt::MouseButtons buttons, QPoint globalPoint);
  void Release();

private:
  std::optional<QPoint> PressedAt;
};
