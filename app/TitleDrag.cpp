#include "app/TitleDrag.h"

#include <cstdlib>

void TTitleDrag::Press(Qt::MouseButton button, QPoint globalPoint) {
  if (button == Qt::LeftButton)
    PressedAt = globalPoint;
  else
    PressedAt.reset();
}

bool TTitleDrag::Move(Qt::MouseButtons buttons, QPoint globalPoint) {
  if (!PressedAt || !(buttons & Qt::LeftButton)) {
    PressedAt.reset();
    return false;
  }
  const QPoint travel = globalPoint - *PressedAt;
  if (std::abs(travel.x()) < StartDistance && std::abs(travel.y()) < StartDistance)
    return false;
  PressedAt.reset();
  return true;
}

void TTitleDrag::Release() { PressedAt.reset(); }
