// An image control: shows one picture at its own size from the top left, or stretched over
// the whole control. Without a picture it shows nothing.
#pragma once

#include <QPixmap>
#include <QWidget>

class TImage : public QWidget {
  Q_OBJECT
public:
  TImage(QWidget* parent, const QString& name, bool stretch = false);

  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return Shown; }
  bool Stretch() const { return Stretched; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  QPixmap Shown;
  bool Stretched;
};
