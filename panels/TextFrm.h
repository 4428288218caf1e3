// TTextForm: the text panel. Shows the current text object (its content, font, size,
// colour, position, first and last frame, and effect) and writes every change back through
// the object into the card document, after which the card renders again. Lists, colour and
// effect apply at once; typing applies one second after the first change, or at once on Enter
// (Ctrl+Enter in the text, where Enter starts a new line).
#pragma once

#include <memory>
#include <string>

#include <QString>

#include "panels/ContentEdit.h"
#include "panels/PropertyForm.h"

class QComboBox;
class QFrame;
class QTimer;
class QToolButton;
class QLabel;
class ITextPanel;
class TColorButton;
class TSpinEdit;

// The heading over a family in the effect list ("Entrance effects").
QString EffectFamilyHeading(const std::string& family);

class TTextForm : public TPropertyForm {
  Q_OBJECT
public:
  explicit TTextForm(QWidget* owner);
  TTextForm(QWidget* owner, QWidget* hostPanel);
  ~TTextForm() override;

  static constexpr int FloatingWidth = 226;
  static constexpr int FloatingHeight = 295;
  static constexpr int MoreButtonWidth = 22;
  // Milliseconds the pointer rests on an effect before the preview plays it, so sweeping
  // over the list renders only where it stops.
  static constexpr int TrialDelay = 150;

  TContentEdit* Content = nullptr; // Enter starts a new line; Ctrl+Enter applies at once
  QComboBox* FontName = nullptr;
  QComboBox* FontSize = nullptr;
  TColorButton* FontColor = nullptr;
  TSpinEdit* PositionX = nullptr;
  TSpinEdit* PositionY = nullptr;
  TSpinEdit* EditBegin = nullptr; // frames counted from 1
  TSpinEdit* EditEnd = nullptr;
  QComboBox* EffectName = nullptr;
  // The text's own entrance and exit around its effect, and the alignment of its lines;
  // entry 0 is none (left).
  QComboBox* EntranceEffect = nullptr;
  QComboBox* ExitEffect = nullptr;
  QComboBox* TextAlign = nullptr;
  QComboBox* TextStyle = nullptr; // entry 0 is plain
  QToolButton* BtnMoreText = nullptr; // opens MoreSheet, which holds the four lists above
  QFrame* MoreSheet = nullptr;
  // Tries the effect under the pointer in EffectName's list on the text in the preview,
  // once the pointer rests there; leaving the list shows the card's own effect again.
  QTimer* TrialTimer = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr,
         *Label5 = nullptr, *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
         *Label9 = nullptr;


  // The panel as the text object sees it.
  ITextPanel& Panel() { return *View; }

  // The entries of FontName: "Default" and the installed font families, sorted.
  static QStringList FontFamilies();
  // "Default" and the family names of the font database's names, sorted, each once. A
  // family that several foundries make is listed by the database as "C059 [UKWN]"; the
  // builder finds fonts by the family name alone.
  static QStringList FontFamilies(const QStringList& databaseNames);
  // The entries of FontSize.
  static QStringList FontSizes();


public slots:
  void ContentChange();
  void ContentKeyDown(int key);
  void FontNameChange();
  void FontColorClick();
  void EffectNameChange();
  // An entry of EffectName's list under the pointer (or the keyboard's highlight).
  void EffectNameHover(int index);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void BuildControls();
  void AttachToContext();
  void WatchEffectList();
  // The effect to try once TrialTimer fires; empty: none, the card's own.
  void TryEffectSoon(const std::string& effectName, int delay);
  void TryPendingEffect();
  std::string PendingTrial;
  // ReadAndStore on the current text object, then the card renders again.
  void Apply() override;
  std::unique_ptr<ITextPanel> View;
};
