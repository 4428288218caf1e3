// TSpinEdit: a number field with up and down arrows that reads its value as typed. Text that
// is no number reads as the minimum; the range is enforced when the program sets a value
// and when the field loses focus, not while the user types.
#pragma once

#include <QAbstractSpinBox>

class TSpinEdit : public QAbstractSpinBox {
  Q_OBJECT
public:
  TSpinEdit(QWidget* parent, int minValue, int maxValue, int value);

  int MinValue() const { return Min; }
  int MaxValue() const { return Max; }
  // The value as typed (out of range while the user is still typing).
  int Value() const;
  // Clamps to the range and shows it; emits Changed when the text changes.
  void SetValue(int value);
  // At most this many characters can be typed (0: no limit).
  void SetMaxLength(int characters);
  QString Text() const;

  void stepBy(int steps) override;
  QValidator::State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

signals:
  // The text changed, by typing, the arrows or the program.
  void Changed();

protected:
  StepEnabled stepEnabled() const override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  int Clamp(int value) const;
  int Min;
  int Max;
};

// A spin edit with the object name `name`, its range and its first value.
TSpinEdit* MakeSpinEdit(QWidget* parent, const char* name, int minValue, int maxValue, int value);
