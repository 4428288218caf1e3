// TPicSelectForm: the picture chooser. The user types or browses a picture file name; OK
// has the picture examined (at most 800 x 600 pixels) and, when it passes, makes it the
// current picture object's picture; an empty name takes the picture away. One chooser
// serves the whole run.
#pragma once

#include "panels/MediaChooser.h"

class TPicSelectForm : public TMediaChooser {
  Q_OBJECT
public:
  explicit TPicSelectForm(QWidget* parent = nullptr);

  // The chooser of the run: made on first use, freed when the application ends.
  static TPicSelectForm* Instance() { return InstanceOf<TPicSelectForm>(); }

  // The name box, under Label1 ("Picture Filename:").
  QLineEdit* EditPicName = nullptr;

  // The file dialog behind Open; tests put an answer of their own here. ShowMessage is the
  // standard error box for a picture that cannot be loaded.
  TOpenDialog OpenPictureDialog;

  // The filter list, descriptions and patterns separated by bars, and the same in the file
  // dialog's own form.
  static QString PictureFilter();
  static QString DialogFilter();

  static constexpr int ClientHeight = 105;

public slots:
  void OpenBtnClick();
  void CleanBtnClick();
  void OkBtnClick();

protected:
  void showEvent(QShowEvent* event) override;

private:
  // Applies the name to the current picture object. Throws when the picture cannot be
  // loaded at all.
  void ApplyName(const QString& name);
};
