#include "app/PictureHandles.h"

#include <algorithm>
#include <cmath>

namespace {

bool MovesLeft(THandle h) { return h == THandle::TopLeft || h == THandle::Left || h == THandle::BottomLeft; }
bool MovesRight(THandle h) { return h == THandle::TopRight || h == THandle::Right || h == THandle::BottomRight; }
bool MovesTop(THandle h) { return h == THandle::TopLeft || h == THandle::Top || h == THandle::TopRight; }
bool MovesBottom(THandle h) { return h == THandle::BottomLeft || h == THandle::Bottom || h == THandle::BottomRight; }

int Side(long long value) { return static_cast<int>(std::clamp<long long>(value, MinPictureSide, MaxPictureSide)); }

} // namespace

QPointF HandleCentre(const QRectF& rect, THandle handle) {
  const double x = MovesLeft(handle) ? rect.left() : MovesRight(handle) ? rect.right() : rect.center().x();
  const double y = MovesTop(handle) ? rect.top() : MovesBottom(handle) ? rect.bottom() : rect.center().y();
  return {x, y};
}

THandle HandleAt(const QRectF& rect, QPointF point) {
  for (THandle handle : AllHandles) {
    const QPointF centre = HandleCentre(rect, handle);
    if (std::abs(point.x() - centre.x()) <= HandleReach + 1 && std::abs(point.y() - centre.y()) <= HandleReach + 1)
      return handle;
  }
  return THandle::None;
}

QRect ResizedRect(const QRect& start, THandle handle, QPoint travel, bool keepProportions) {
  const int dx = MovesLeft(handle) ? -travel.x() : MovesRight(handle) ? travel.x() : 0;
  const int dy = MovesTop(handle) ? -travel.y() : MovesBottom(handle) ? travel.y() : 0;
  int width = Side(static_cast<long long>(start.width()) + dx);
  int height = Side(static_cast<long long>(start.height()) + dy);
  const bool horizontal = MovesLeft(handle) || MovesRight(handle);
  const bool vertical = MovesTop(handle) || MovesBottom(handle);
  if (keepProportions && start.width() > 0 && start.height() > 0) {
    const double ratio = static_cast<double>(start.width()) / start.height();
    const bool byWidth = horizontal && (!vertical || std::abs(double(width) / start.width() - 1) >=
                                                         std::abs(double(height) / start.height() - 1));
    if (byWidth)
      height = Side(std::llround(width / ratio));
    else
      width = Side(std::llround(height * ratio));
  }
  // The opposite side stays; a side handle's neighbours grow from its own side's start.
  const int left = MovesLeft(handle) ? start.right() + 1 - width : start.left();
  const int top = MovesTop(handle) ? start.bottom() + 1 - height : start.top();
  return {left, top, width, height};
}

Qt::CursorShape HandleCursor(THandle handle) {
  switch (handle) {
  case THandle::TopLeft:
  case THandle::BottomRight:
    return Qt::SizeFDiagCursor;
  case THandle::TopRight:
  case THandle::BottomLeft:
    return Qt::SizeBDiagCursor;
  case THandle::Left:
  case THandle::Right:
    return Qt::SizeHorCursor;
  case THandle::Top:
  case THandle::Bottom:
    return Qt::SizeVerCursor;
  default:
    return Qt::ArrowCursor;
  }
}
