// The selected object's outline drawn over the preview, with the handles of a picture. It
// covers the player and lets every mouse event through to it.
#pragma once

#include <QRectF>
#include <QWidget>

class TSelectionFrame : public QWidget {
public:
  explicit TSelectionFrame(QWidget* player);

  // `outline` in the player's widget pixels.
  void ShowOutline(const QRectF& outline, bool handles);
  void HideOutline();
  bool ShowsOutline() const { return Shown; }
  QRectF Outline() const { return Rect; }
  bool ShowsHandles() const { return Shown && Handles; }

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

private:
  QRectF Rect;
  bool Handles = false;
  bool Shown = false;
};
