// The program's standard error box and the guard every command runs under: an error that
// escapes a command is shown in one box with its text and the program goes on.
#pragma once

#include <QString>
#include <functional>
#include <utility>

class QWidget;

namespace ErrorBox {

// Shows the error box (modal, OK button) with the text.
void Show(const QString& text);
// The same box with OK and Cancel; the answer is not used.
void ShowWithCancel(const QString& text);

// A question box with OK and Cancel; true for OK. While a reporter is set, the question
// is reported and answered with the answer SetAnswer gave (Cancel at first).
bool Ask(const QString& text);
void SetAnswer(bool ok);

// Replaces how errors are shown (tests collect them instead of opening a box); an empty
// function restores the box.
void SetReporter(std::function<void(const QString&)> reporter);

// The text of the exception being handled, for any kind of exception.
QString CurrentExceptionText();

} // namespace ErrorBox

// Runs a command; an exception it lets out is shown in the error box.
template <class TCommand>
void RunCommand(TCommand&& command) {
  try {
    std::forward<TCommand>(command)();
  } catch (...) {
    ErrorBox::Show(ErrorBox::CurrentExceptionText());
  }
}
