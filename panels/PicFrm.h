// TPicForm: the picture panel. Shows the current picture object (a thumbnail of its
// picture, its position, display size, first and last frame, and effect) and writes every
// change back through the object into the card document, after which the card renders
// again. Typing applies one second after the first change, or at once on Enter; the effect
// applies at once. A click on the thumbnail opens the picture chooser.
#pragma once

#include <memory>

#include "panels/PropertyForm.h"

class QComboBox;
class QFrame;
class QLabel;
class IPicturePanel;
class TSpinEdit;

class TPicForm : public TPropertyForm {
  Q_OBJECT
public:
  explicit TPicForm(QWidget* owner);
  TPicForm(QWidget* owner, QWidget* hostPanel);
  ~TPicForm() override;

  static constexpr int FloatingWidth = 222;
  static constexpr int FloatingHeight = 344;

  QFrame* Panel1 = nullptr;  // the white frame around the thumbnail
  QLabel* Content = nullptr; // the thumbnail, stretched over Panel1
  TSpinEdit* EditPositionX = nullptr;
  TSpinEdit* EditPositionY = nullptr;
  TSpinEdit* EditWidth = nullptr;
  TSpinEdit* EditHeight = nullptr;
  TSpinEdit* EditBegin = nullptr; // frames counted from 1
  TSpinEdit* EditEnd = nullptr;
  QComboBox* EffectName = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr, *Label4 = nullptr, *Label5 = nullptr,
         *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr;


  // The panel as the picture object sees it.
  IPicturePanel& Panel();
  // Whether the thumbnail shows a picture.
  bool HasPicture() const;


public slots:
  void ContentClick();
  void EditPositionXChange();
  void EditPositionXKeyDown(int key);
  void EffectNameChange();

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  class TView;
  void BuildControls();
  // ReadAndStore on the current picture object, then the card renders again.
  void Apply() override;
  std::unique_ptr<TView> View;
};
