// A button drawn entirely from its image list: idle, mouse over, pressed and disabled
// pictures. Disabled, it shows its disabled picture and ignores clicks.
#pragma once

#include <QAbstractButton>

#include "app/ImageList.h"

class TPictureButton : public QAbstractButton {
  Q_OBJECT
public:
  TPictureButton(QWidget* parent, const QString& name, QSize size, const QString& hint);

  void SetImageList(const TImageList& images);
  const TImageList& ImageList() const { return Images; }
  // The picture index the button shows now.
  int ShownIndex() const;

  QSize sizeHint() const override { return size(); }

protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  TImageList Images;
  bool MouseOver = false;
};
