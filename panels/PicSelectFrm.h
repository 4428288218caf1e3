// TPicSelectForm: the picture chooser. The user types or browses a picture file name; OK
// has the picture examined (at most 800 x 600 pixels) and, when it passes, makes it the
// current picture object's picture; an empty name takes the picture away. One chooser
// serves the whole run.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class TPicSelectForm : public QDialog {
  Q_OBJECT
public:
  explicit TPicSelectForm(QWidget* parent = nullptr);
  ~TPicSelectForm() override;

  // The chooser of the run: made on first use, freed when the application ends.
  static TPicSelectForm* Instance();

  QLabel* Label1 = nullptr; // "Picture Filename:"
  QLineEdit* EditPicName = nullptr;
  QPushButton* OpenBtn = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CleanBtn = nullptr;

  // The file dialog behind Open: returns the chosen file, or an empty string when the user
  // cancels. `filter` is in the dialog's own form. Tests put an answer of their own here.
  using TOpenDialog = std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
  TOpenDialog OpenPictureDialog;
  // The standard error box for a picture that cannot be loaded; tests replace it.
  std::function<void(QWidget* parent, const QString& text)> ShowMessage;

  // The filter list, descriptions and patterns separated by bars, and the same in the file
  // dialog's own form.
  static QString PictureFilter();
  static QString DialogFilter();

  // The program's last media folder (with trailing separator), where Open starts and which
  // it updates. The main window may connect it to its own record; unconnected, it is the
  // one the sound chooser uses, so both choosers share the program's one media folder.
  static void ConnectMediaFolder(std::function<QString()> get, std::function<void(const QString&)> set);
  static QString LastMediaFolder();
  static void SetLastMediaFolder(const QString& folder);

  static constexpr int ClientWidth = 315;
  static constexpr int ClientHeight = 105;

public slots:
  void OpenBtnClick();
  void CleanBtnClick();
  void OkBtnClick();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void BuildControls();
  // Applies the name to the current picture object. Throws when the picture cannot be
  // loaded at all.
  void ApplyName(const QString& name);
};
