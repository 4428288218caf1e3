// The eight handles around a picture on the preview, and the rectangle a handle dragged
// gives: the side or corner opposite the handle stays where it is.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <array>

enum class THandle { None, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left };

inline constexpr std::array<THandle, 8> AllHandles = {THandle::TopLeft,     THandle::Top,    THandle::TopRight,
                                                      THandle::Right,       THandle::BottomRight,
                                                      THandle::Bottom,      THandle::BottomLeft, THandle::Left};

// Half the side of a handle's square, in widget pixels; a press this close to its centre takes it.
inline constexpr double HandleReach = 4;

QPointF HandleCentre(const QRectF& rect, THandle handle);
// The handle of `rect` under `point` (None when there is none); the corners go first.
THandle HandleAt(const QRectF& rect, QPointF point);

// A picture's size in stage pixels stays within what the picture panel takes.
inline constexpr int MinPictureSide = 1;
inline constexpr int MaxPictureSide = 10000;

// `start` (stage pixels) with `handle` moved by `travel` stage pixels. keepProportions
// (Shift) keeps the width-to-height ratio of `start`: a corner follows the larger change, a
// side's neighbours follow its own.
QRect ResizedRect(const QRect& start, THandle handle, QPoint travel, bool keepProportions);

// The cursor shape that shows a handle's direction.
Qt::CursorShape HandleCursor(THandle handle);
