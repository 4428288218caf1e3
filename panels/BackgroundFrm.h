// TBackgroundForm: the background panel, which edits the card as a whole: background
// colour, frame rate, stage width and height. The card fills it (ShowInPanels) and reads it
// back (ReadFromPanels); a colour choice or Enter applies at once, typing one second after
// the first change.
#pragma once

#include <cstdint>

#include "card/CardHost.h"
#include "panels/PropertyForm.h"

class QLabel;
class TColorButton;
class TSpinEdit;

class TBackgroundForm : public TPropertyForm {
  Q_OBJECT
public:
  explicit TBackgroundForm(QWidget* owner);
  TBackgroundForm(QWidget* owner, QWidget* hostPanel);

  TColorButton* BGColor = nullptr;
  TSpinEdit* EditRate = nullptr;   // frames per second, 1 to 90
  TSpinEdit* EditWidth = nullptr;  // stage width in pixels, 1 to 800
  TSpinEdit* EditHeight = nullptr; // stage height in pixels, 1 to 600
  QLabel* Label1 = nullptr;        // "&Color:"
  QLabel* Label2 = nullptr;        // "&Fps:"
  QLabel* Label3 = nullptr;        // "&Width:"
  QLabel* Label4 = nullptr;        // "&Height:"


  // The panel as the card reads it and fills it (colour 0x00BBGGRR, sizes in pixels).
  std::uint32_t BgColorValue() const;
  void SetBgColorValue(std::uint32_t colour);
  TBackgroundFields Fields() const;
  void SetFields(const TBackgroundFields& fields);

  static constexpr int FloatingClientHeight = 339;


public slots:
  void BGColorClick();
  void BGColorChange();
  void EditWidthChange();
  void EditWidthKeyDown(int key);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  // The card's ReadAndStore, then the card renders again.
  void Apply() override;};
