// The preview widget: plays one SWF movie scaled to the widget, offering the properties and
// methods of the browser-plugin control it stands in for. Frames count from 0. Mouse
// events work the movie's buttons, are reported by signals and then passed on to the
// parent widget.
#pragma once

#include <QImage>
#include <QString>
#include <QTimer>
#include <QWidget>

#include <optional>

#include "player/MoviePlayer.h"

namespace player {

class TFlashPlayer : public QWidget {
  Q_OBJECT
  // Path of the movie shown; "http://" (or any URL, or empty) unloads it.
  Q_PROPERTY(QString Movie READ Movie WRITE SetMovie)
  Q_PROPERTY(bool Loop READ Loop WRITE SetLoop)
  Q_PROPERTY(int FrameNum READ FrameNum WRITE SetFrameNum)
  // 0x00BBGGRR; writing a negative value removes the override. Reads the colour in effect
  // (the movie's own when there is no override), -1 with neither.
  Q_PROPERTY(int BackgroundColor READ BackgroundColor WRITE SetBackgroundColor)
  Q_PROPERTY(int TotalFrames READ TotalFrames)
  Q_PROPERTY(bool Playing READ Playing WRITE SetPlaying)
  // The same override as text, "#RRGGBB"; empty = none.
  Q_PROPERTY(QString BGColor READ BGColor WRITE SetBGColor)

 public:
  explicit TFlashPlayer(QWidget* parent = nullptr, TAudioMode audio = TAudioMode::Device);
  ~TFlashPlayer() override;

  QString Movie() const { return FMovie; }
  void SetMovie(const QString& path);
  bool Loop() const { return FPlayer.Loop(); }
  void SetLoop(bool loop) { FPlayer.SetLoop(loop); }
  int FrameNum() const { return FPlayer.CurrentFrame(); }
  void SetFrameNum(int frame) { GotoFrame(frame); }
  int BackgroundColor() const;
  void SetBackgroundColor(int bgr);
  int TotalFrames() const { return FPlayer.TotalFrames(); }
  bool Playing() const { return FPlayer.IsPlaying(); }
  void SetPlaying(bool playing);
  QString BGColor() const;
  void SetBGColor(const QString& color);

  Q_INVOKABLE void Play() { SetPlaying(true); }
  Q_INVOKABLE void Stop() { SetPlaying(false); }
  Q_INVOKABLE void Back();     // one frame back, halted
  Q_INVOKABLE void Forward();  // one frame on, halted
  // To a frame; beyond the last it rests on the last.
  Q_INVOKABLE void GotoFrame(int frame);
  Q_INVOKABLE int CurrentFrame() const { return FPlayer.CurrentFrame(); }

  // While an object of the movie is dragged: the frame as it stands without the object,
  // with the object's own picture (transparent around it) drawn moved by `offset` pixels.
  // Both pictures are of the widget's size. The movie goes on underneath, unseen.
  void ShowDragLayers(const QImage& backdrop, const QImage& object, QPoint offset);
  void MoveDragLayer(QPoint offset);
  void HideDragLayers();
  bool ShowsDragLayers() const { return !FDragBackdrop.isNull(); }
  // The widget's pixels for one stage pixel of the movie shown (1 without a movie).
  double PixelsPerStagePixel() const;

  // Why the last movie did not load ("" when it did).
  QString LoadError() const { return FLoadError; }
  const TMoviePlayer& Player() const { return FPlayer; }
  QSize sizeHint() const override;

 signals:
  void FrameChanged(int frame);
  void MovieLoaded();
  void MousePressed(Qt::MouseButton button, QPoint position);
  void MouseMoved(Qt::MouseButtons buttons, QPoint position);
  void MouseReleased(Qt::MouseButton button, QPoint position);
  void MouseDoubleClicked(Qt::MouseButton button, QPoint position);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void OnTimer();
  void AfterChange();  // repaint and report when the picture or the frame moved
  void PointerAt(QPointF position);  // the movie's pointer follows the mouse
  void ShowHand(bool show);          // the cursor over a button

  TMoviePlayer FPlayer;
  QString FMovie;
  QString FLoadError;
  std::optional<QColor> FBackground;  // the override
  QTimer FTimer;
  QImage FFrame;                      // the last drawn frame
  QImage FDragBackdrop, FDragObject;  // shown instead while an object is dragged
  QPoint FDragOffset;
  uint64_t FFrameChange = UINT64_MAX; // the player's change count it shows
  int FLastFrame = -1;
  bool FHandShown = false;
};

}  // namespace player
