// TPropertyForm: the base of the property panels whose values are typed (background, text,
// picture). Typing applies one second after the first change, Return or Enter at once;
// while the card or an object fills the panel the change handlers do nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "panels/ChildFrm.h"

class QTimer;
class TFlashObj;

class TPropertyForm : public TChildForm {
  Q_OBJECT
public:
  QTimer* Timer1 = nullptr; // the delayed apply, 1000 ms

  // Raised while the panel is filled: the change handlers then do nothing.
  bool Updating() const { return IsUpdating; }
  void SetUpdating(bool updating) { IsUpdating = updating; }

  void ApplyPendingEdits() override;

public slots:
  // The delayed apply is due.
  void Timer1Timer();

protected:
  explicit TPropertyForm(QWidget* owner);
  TPropertyForm(QWidget* owner, QWidget* hostPanel);

  // Writes the panel's values into the card or object and has the card rendered again.
  virtual void Apply() = 0;
  // A typed change: starts the delayed apply unless the panel is being filled.
  void StartDelayedApply();
  // A key in one of the panel's boxes: Return or Enter applies at once.
  void ApplyOnEnter(int key);

  // The editing object's half of Apply: ReadAndStore, then the card renders again. Nothing
  // without a host or an object.
  static void StoreObjectAndRender(TFlashObj* object);
  // An effect chosen in the panel, applied at once: ReadAndStore; when `lengthOf` gives the
  // chosen effect a length, the object ends that many frames after its first and the panel
  // and the document take that end; then the card renders again.
  static void StoreEffectChoice(TFlashObj* object,
                                const std::function<std::optional<int>(const std::string&)>& lengthOf);

  bool IsUpdating = false;

private:
  void MakeTimer();
};
