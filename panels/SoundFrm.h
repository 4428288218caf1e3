// TSoundForm: the sound panel. Shows the file name of the selected sound object; every
// change of the name is stored into the object and the card document at once (the card is
// not rendered again), and Open lets the user choose and import a sound in the chooser.
#pragma once

#include <string>

#include "panels/ChildFrm.h"
#include "render/SoundPanel.h"

class QLabel;
class QLineEdit;
class QPushButton;
class TFlashSound;

class TSoundForm : public TChildForm {
  Q_OBJECT
public:
  explicit TSoundForm(QWidget* owner);
  TSoundForm(QWidget* owner, QWidget* hostPanel);
  ~TSoundForm() override;

  QLabel* Label1 = nullptr;     // "Sound FileName:"
  QLineEdit* Content = nullptr; // the sound object's file name
  QPushButton* OpenBtn = nullptr;

  // The panel as the sound object fills and reads it. The panel hands this to the card
  // objects' context while it lives.
  ISoundPanel& SoundPanel() { return Binding; }
  bool Updating() const { return Binding.Updating; }

public slots:
  void ContentChange();
  void OpenBtnClick();

private:
  class TBinding : public ISoundPanel {
  public:
    explicit TBinding(TSoundForm& form) : Form(form) {}
    void SetUpdating(bool updating) override { Updating = updating; }
    std::string Content() const override;
    void SetContent(const std::string& fileName) override;
    bool Updating = false;

  private:
    TSoundForm& Form;
  };

  void BuildControls();
  // The editing sound object of the card, or null when there is none.
  static TFlashSound* CurrentSound();

  TBinding Binding{*this};
};
