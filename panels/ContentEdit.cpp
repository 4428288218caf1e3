#include "panels/ContentEdit.h"

#include <QScrollBar>
#include <QTextCursor>
#include <algorithm>

TContentEdit::TContentEdit(QWidget* parent) : QPlainTextEdit(parent) {
  // The card's lines are the text's lines: the box never wraps them itself.
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setWordWrapMode(QTextOption::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // Tab moves on to the next field, as in the panel's other boxes.
  setTabChangesFocus(true);
  document()->setDocumentMargin(1);
  // The margins around the viewport look like the field.
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  connect(this, &QPlainTextEdit::textChanged, this, &TContentEdit::FitHeight);
}

void TContentEdit::setText(const QString& text) {
  if (text == toPlainText())
    return;
  const int position = cursorPosition();
  setPlainText(text);
  // A text being typed keeps its cursor; one shown afresh shows its beginning.
  setCursorPosition(hasFocus() ? position : 0);
}

int TContentEdit::cursorPosition() const { return textCursor().position(); }

void TContentEdit::setCursorPosition(int position) {
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::clamp(position, 0, std::max(0, document()->characterCount() - 1)));
  setTextCursor(cursor);
}

void TContentEdit::SetRowGeometry(int x, int y, int width, int height) {
  Row = QRect(x, y, width, height);
  FitHeight();
}

void TContentEdit::focusInEvent(QFocusEvent* event) {
  QPlainTextEdit::focusInEvent(event);
  FitHeight();
}

void TContentEdit::focusOutEvent(QFocusEvent* event) {
  QPlainTextEdit::focusOutEvent(event);
  FitHeight();
}

void TContentEdit::FitHeight() {
  if (Row.isNull())
    return;
  const int lines = hasFocus() ? std::clamp(document()->blockCount(), 1, MaxShownLines) : 1;
  const int lineHeight = fontMetrics().lineSpacing();
  // The viewport holds whole lines only, so a box of one row shows no part of the next line;
  // what the row has over them is split above and below.
  const int textHeight = lineHeight + 2 * static_cast<int>(document()->documentMargin());
  const int spare = std::max(0, Row.height() - 2 * frameWidth() - textHeight);
  setViewportMargins(0, spare / 2, 0, spare - spare / 2);
  setGeometry(Row.x(), Row.y(), Row.width(), Row.height() + (lines - 1) * lineHeight);
  if (lines > 1)
    raise(); // over the rows below while it is typed in
  if (hasFocus())
    ensureCursorVisible();
  else
    verticalScrollBar()->setValue(0); // at rest the box shows the first line
}
