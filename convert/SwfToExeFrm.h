// The dialog that turns a SWF movie into a player executable.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TSwfToExeForm : public QDialog {
  Q_OBJECT
public:
  explicit TSwfToExeForm(QWidget* parent = nullptr);

  // Shows the dialog modally for the movie the user chose, the target proposed beside it.
  static int Execute(QWidget* parent, const QString& swfFile);

  QLineEdit* SourceSwf = nullptr;
  QLineEdit* TargetExe = nullptr;
  QPushButton* OK = nullptr;

public slots:
  void OKClick();
};

// The filter of the movie chooser ("OpenDialogSwf").
inline constexpr const char* SwfFileFilter = "SWF file (*.swf)";

// Asks for a movie, then shows the dialog for it; nothing when the user cancels.
void FileSwfToExe(QWidget* parent);
