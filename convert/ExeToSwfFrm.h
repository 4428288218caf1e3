// The dialog that takes the movie out of a player executable.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

class TExeToSwfForm : public QDialog {
  Q_OBJECT
public:
  explicit TExeToSwfForm(QWidget* parent = nullptr);

  // Shows the dialog modally for the program the user chose, the target proposed beside it.
  static int Execute(QWidget* parent, const QString& exeFile);

  QLineEdit* SourceExe = nullptr;
  QLineEdit* TargetSwf = nullptr;
  QPushButton* OK = nullptr;

public slots:
  void OKClick();
};

// The filter of the program chooser ("OpenDialogExe").
inline constexpr const char* ExeFileFilter = "EXE file (*.exe)";

// Asks for a player executable, then shows the dialog for it; nothing when cancelled.
void FileExeToSwf(QWidget* parent);
