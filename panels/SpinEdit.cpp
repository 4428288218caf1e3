#include "panels/SpinEdit.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <algorithm>


TSpinEdit::TSpinEdit(QWidget* parent, int minValue, int maxValue, int value)
    : QAbstractSpinBox(parent), Min(minValue), Max(maxValue) {
  setAccelerated(true);
  lineEdit()->setText(QString::number(Clamp(value)));
  connect(lineEdit(), &QLineEdit::textChanged, this, &TSpinEdit::Changed);
}

int TSpinEdit::Clamp(int value) const { return std::clamp(value, Min, Max); }

QString TSpinEdit::Text() const { return lineEdit()->text(); }

int TSpinEdit::Value() const {
  bool isNumber = false;
  const int value = lineEdit()->text().trimmed().toInt(&isNumber, 10);
  return isNumber ? value : Min;
}

void TSpinEdit::SetValue(int value) {
  const QString text = QString::number(Clamp(value));
  if (lineEdit()->text() != text)
    lineEdit()->setText(text);
}

void TSpinEdit::SetMaxLength(int characters) {
  lineEdit()->setMaxLength(characters > 0 ? characters : 32767);
}

void TSpinEdit::stepBy(int steps) {
  const long long next = static_cast<long long>(Value()) + steps;
  SetValue(static_cast<int>(std::clamp<long long>(next, Min, Max)));
  selectAll();
}

QAbstractSpinBox::StepEnabled TSpinEdit::stepEnabled() const {
  return StepUpEnabled | StepDownEnabled;
}

QValidator::State TSpinEdit::validate(QString& input, int&) const {
  // Only a sign and digits can be typed; whether the number is in range is settled later.
  static const QRegularExpression typable(QStringLiteral("^[+-]?[0-9]*$"));
  return typable.match(input).hasMatch() ? QValidator::Acceptable : QValidator::Invalid;
}

void TSpinEdit::fixup(QString&) const {}

void TSpinEdit::focusOutEvent(QFocusEvent* event) {
  QAbstractSpinBox::focusOutEvent(event);
  // Leaving the field brings a number back into range; text that is no number shows the minimum.
  SetValue(Value());
}

TSpinEdit* MakeSpinEdit(QWidget* parent, const char* name, int minValue, int maxValue, int value) {
  auto* edit = new TSpinEdit(parent, minValue, maxValue, value);
  edit->setObjectName(QString::fromLatin1(name));
  return edit;
}
