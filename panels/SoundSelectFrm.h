// TSoundSelectForm: the sound chooser. The user picks an MP3 or WAV file; OK decodes it
// through the audio modules into a 16-bit mono WAV beside it (the chosen name followed by
// "_tmp.wav") and makes the chosen file the sound panel's file name. One chooser serves the
// whole run.
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class TSoundForm;

class TSoundSelectForm : public QDialog {
  Q_OBJECT
public:
  explicit TSoundSelectForm(QWidget* parent = nullptr);
  ~TSoundSelectForm() override;

  // The chooser of the run: made on first use, freed when the application ends.
  static TSoundSelectForm* Instance();

  QLabel* Label1 = nullptr; // "Sound Filename:"
  QLineEdit* EditSoundName = nullptr;
  QPushButton* OpenBtn = nullptr;
  QPushButton* OkBtn = nullptr;
  QPushButton* CleanBtn = nullptr;
  QProgressBar* ProgressBar1 = nullptr; // an activity indicator while a sound is decoded

  // The file dialog behind Open: returns the chosen file, or an empty string when the user
  // cancels. `filter` is in the dialog's own form. Tests put an answer of their own here.
  using TOpenDialog = std::function<QString(QWidget* parent, const QString& folder, const QString& filter)>;
  TOpenDialog OpenSoundDialog;
  // Where messages go: a plain box with an OK button unless a test replaces it.
  std::function<void(QWidget* parent, const QString& text)> ShowMessage;

  // The filter list of the file dialog, a description and its patterns separated by a bar,
  // and the same in the dialog's own form.
  static QString SoundFilter();
  static QString DialogFilter();

  // The program's last media folder (with trailing separator), where Open starts and which
  // it updates. The main window connects it to its own record; unconnected, the chooser
  // keeps the value itself.
  static void ConnectMediaFolder(std::function<QString()> get, std::function<void(const QString&)> set);
  static QString LastMediaFolder();
  static void SetLastMediaFolder(const QString& folder);

  // The panel whose file name the chooser sets on OK and Clean (the live sound panel when
  // none is given).
  void SetSoundForm(TSoundForm* form) { Panel = form; }
  // Set while OK waits for the decoding.
  bool Importing() const { return IsImporting; }

  static constexpr int ClientWidth = 315;
  static constexpr int ClientHeight = 110;
  static constexpr int ProgressMaximum = 1000;
  static constexpr int ProgressStep = 2;

public slots:
  void FormShow();
  void OpenBtnClick();
  void CleanBtnClick();
  void OkBtnClick();
  void reject() override;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  // One poll of the wait: keeps the windows painting and moves the indicator on.
  void WaitStep();
  void SetButtonsEnabled(bool enabled);
  void SetPanelContent(const QString& fileName);

  QPointer<TSoundForm> Panel;
  bool IsImporting = false;
};
