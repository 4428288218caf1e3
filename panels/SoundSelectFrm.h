// TSoundSelectForm: the sound chooser. The user picks an MP3 or WAV file; OK decodes it
// through the audio modules into a 16-bit mono WAV beside it (the chosen name followed by
// "_tmp.wav") and makes the chosen file the sound panel's file name. One chooser serves the
// whole run.
#pragma once

#include <string>

#include <QPointer>

#include "panels/MediaChooser.h"

class QProgressBar;
class TSoundForm;

class TSoundSelectForm : public TMediaChooser {
  Q_OBJECT
public:
  explicit TSoundSelectForm(QWidget* parent = nullptr);

  // The chooser of the run: made on first use, freed when the application ends.
  static TSoundSelectForm* Instance() { return InstanceOf<TSoundSelectForm>(); }

  // The name box, under Label1 ("Sound Filename:").
  QLineEdit* EditSoundName = nullptr;
  QProgressBar* ProgressBar1 = nullptr; // an activity indicator while a sound is decoded

  // The file dialog behind Open; tests put an answer of their own here. ShowMessage is a
  // plain box with an OK button.
  TOpenDialog OpenSoundDialog;

  // The filter list of the file dialog, a description and its patterns separated by a bar,
  // and the same in the dialog's own form.
  static QString SoundFilter();
  static QString DialogFilter();
  // The message of a failed import: "Can not import FILE" and, below it, the reason as a
  // sentence (nothing below when the import gave none); other messages as they are.
  static QString ImportFailureText(const std::string& message, const std::string& reason);

  // The panel whose file name the chooser sets on OK and Clean (the live sound panel when
  // none is given).
  void SetSoundForm(TSoundForm* form);
  // Set while OK waits for the decoding.
  bool Importing() const { return IsImporting; }

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
  // One poll of the wait: keeps the windows painting and moves the indicator on.
  void WaitStep();
  void SetButtonsEnabled(bool enabled);
  void SetPanelContent(const QString& fileName);

  QPointer<TSoundForm> Panel;
  bool IsImporting = false;
};
