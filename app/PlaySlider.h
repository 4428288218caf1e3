// The position slider under the preview: a flat horizontal track with a thumb that shows
// the frame (value + 1). Its value is the preview's frame counted from 0.
//
// Geometry: thumb 30 × 14, margin m = 30 / 2 + 5 = 20 pixels, so the usable track runs
// from x = m to x = width − m. The thumb centre of a value v lies at
// m + round((v − min) / (max − min) × (width − 2m)).
#pragma once

#include <QWidget>

class TPlaySlider : public QWidget {
  Q_OBJECT
public:
  static constexpr int ThumbWidth = 30;
  static constexpr int ThumbHeight = 14;
  static constexpr int Margin = ThumbWidth / 2 + 5;

  TPlaySlider(QWidget* parent, const QString& name);

  int Min() const { return Minimum; }
  int Max() const { return Maximum; }
  int Position() const { return Value; }
  // Clamped to min..max.
  void SetPosition(int value);
  void SetMin(int value);
  // A maximum not greater than the minimum is ignored (a one-frame movie keeps the previous
  // range); a value above the new maximum comes down to it.
  void SetMax(int value);

  // The value under x while the thumb is dragged (x outside the track counts as its end).
  int ValueAt(int x) const;
  // The x of the thumb centre for the current value.
  int ThumbCentre() const;

signals:
  // Any mouse button, pressed or released over the slider.
  void MouseDown(Qt::MouseButton button);
  void MouseUp(Qt::MouseButton button);
  void PositionChanged(int value);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

private:
  void FollowMouse(int x);

  int Minimum = 0;
  int Maximum = 9999;
  int Value = 0;
  int GrabOffset = 0; // pointer x minus thumb centre at the press on the thumb
};
