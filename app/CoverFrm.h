// The splash window shown while the program starts: one picture, no border, centred.
#pragma once

#include <QWidget>

class TImage;

class TfrmCover : public QWidget {
  Q_OBJECT
public:
  explicit TfrmCover(QWidget* parent = nullptr);

  TImage* imgBody = nullptr;

  // Shows the splash and keeps it up until the clock's second changes: at most one
  // second, however late in a second the program started. Events are handled meanwhile.
  void ShowUntilNextSecond();
};
