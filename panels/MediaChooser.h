// TMediaChooser: the base of the picture and sound choosers. It builds the window both
// share (caption, light green fixed-size client area, a label, the name box and the Open,
// OK and Clean buttons), runs Open, and keeps the one last media folder of the program.
#pragma once

#include <QCoreApplication>
#include <QDialog>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

class TMediaChooser : public QDialog {
  Q_OBJECT
public:
  // The file dialog behind Open: returns the chosen file, or an empty string when the user
  // cancels. `filter` is in the dialog's own form.
  using TOpenDialog = std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
  // Where a chooser's messages go; tests replace it.
  using TShowMessage = std::function<void(QWidget* parent, const QString& text)>;

  QLabel* Label1 = nullptr;
  QPushButton* OpenBtn = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CleanBtn = nullptr;
  TShowMessage ShowMessage;

  // The program's last media folder (with trailing separator), where Open of both choosers
  // starts and which it updates. The main window connects it to the program-wide record
  // that the registry keeps between runs; unconnected, the choosers keep the value here.
  static void ConnectMediaFolder(std::function<QString()> get, std::function<void(const QString&)> set);
  static QString LastMediaFolder();
  static void SetLastMediaFolder(const QString& folder);

  static constexpr int ClientWidth = 315;

protected:
  // What sets one chooser's window apart from the other's.
  struct TLayout {
    QString ObjectName;
    QString Caption;
    QString LabelText;
    QString NameEditName;
    int ClientHeight = 0;
    int ButtonTop = 0; // pixels from the top of the client area
  };
  TMediaChooser(const TLayout& layout, TShowMessage showMessage, QWidget* parent);

  // The name box, made between the label and the buttons so that it comes second in the
  // tab order.
  QLineEdit* NameEdit() const { return Name; }
  // Open: `dialog` starts in the last media folder; a chosen file's full name goes into the
  // name box and its folder becomes the last media folder. A cancelled dialog changes nothing.
  void OpenFileWith(const TOpenDialog& dialog, const QString& filter);
  // The system's open-file dialog, captioned "Open".
  static QString StandardOpenDialog(QWidget* parent, const QString& folder, const QString& filter);

  // The one chooser of kind TForm for the run: made on first use, kept for the rest of the
  // run and freed with the application object.
  template <class TForm>
  static TForm* InstanceOf()
  {
    QPointer<TForm>& chooser = ChooserOfRun<TForm>();
    if (!chooser) {
      chooser = new TForm;
      qAddPostRoutine([] { delete ChooserOfRun<TForm>().data(); });
    }
    return chooser;
  }

private:
  template <class TForm>
  static QPointer<TForm>& ChooserOfRun()
  {
    static QPointer<TForm> chooser;
    return chooser;
  }

  QLineEdit* Name = nullptr;
};
