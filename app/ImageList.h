// The four pictures of a picture button: index 0 idle, 1 mouse over, 2 pressed,
// 3 disabled. The pictures are drawn from the button glyphs shipped as resources.
#pragma once

#include <QPixmap>
#include <QString>
#include <array>

class TImageList {
public:
  enum TIndex { Idle = 0, Over = 1, Pressed = 2, Disabled = 3 };

  TImageList() = default;
  explicit TImageList(std::array<QPixmap, 4> images) : Images(std::move(images)) {}

  // An empty picture for an index out of range.
  QPixmap Image(int index) const;
  bool IsEmpty() const { return Images[Idle].isNull(); }

  // The faces of the program's buttons; glyph is the name of a picture in ":/buttons".
  static TImageList ToolButton(const QString& glyph);   // 40 × 40 rounded tile
  static TImageList PlayerButton(const QString& glyph); // 29 × 29 round button
  static TImageList TitleButton(const QString& glyph);  // 20 × 20, on the title strip
  static TImageList LoopButton(bool on);                // 35 × 18 pill, looping off or on

private:
  std::array<QPixmap, 4> Images;
};
