// TContentEdit: the text panel's box for a text's words. Enter starts a new line of the
// text; the box stays one row high in the panel's grid and, while it has the focus, grows
// over the rows below to show up to MaxShownLines lines (more scroll). It answers the few
// calls of a one-line edit the panel and its callers use (text, setText, cursor position).
#pragma once

#include <QPlainTextEdit>

class TContentEdit : public QPlainTextEdit {
  Q_OBJECT
public:
  static constexpr int MaxShownLines = 4;

  explicit TContentEdit(QWidget* parent);

  // The text with '\n' between its lines.
  QString text() const { return toPlainText(); }
  // Replaces the text; the same text leaves the box (cursor, its own undo) as it is.
  void setText(const QString& text);
  int cursorPosition() const;
  void setCursorPosition(int position);

  // The box's place in the panel's grid: one row; it grows downward from there.
  void SetRowGeometry(int x, int y, int width, int height);

protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

private:
  void FitHeight();
  QRect Row;
};
