#include "app/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>


namespace ErrorBox {
namespace {

std::function<void(const QString&)>& Reporter() {
  static std::function<void(const QString&)> reporter;
  return reporter;
}

void ShowWith(const QString& text, QMessageBox::StandardButtons buttons) {
  if (Reporter()) {
    Reporter()(text);
    return;
  }
  // Every message box of the program has the program's name as caption, not the task-bar
  // text that follows the movie.
  QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, buttons,
                  QApplication::activeWindow());
  box.setObjectName(QStringLiteral("ErrorBox"));
  // A path or a reason in the text can be copied.
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}

} // namespace

void Show(const QString& text) { ShowWith(text, QMessageBox::Ok); }

void ShowWithCancel(const QString& text) { ShowWith(text, QMessageBox::Ok | QMessageBox::Cancel); }

namespace {
bool& AnswerWhenReported() {
  static bool answer = false;
  return answer;
}
}  // namespace

void SetAnswer(bool ok) { AnswerWhenReported() = ok; }

bool Ask(const QString& text) {
  if (Reporter()) {
    Reporter()(text);
    return AnswerWhenReported();
  }
  QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                  QMessageBox::Ok | QMessageBox::Cancel, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("QuestionBox"));
  return box.exec() == QMessageBox::Ok;
}

void SetReporter(std::function<void(const QString&)> reporter) {
  Reporter() = std::move(reporter);
}

QString CurrentExceptionText() {
  try {
    throw;
  } catch (const std::exception& error) {
    return QString::fromUtf8(error.what());
  } catch (...) {
    return QStringLiteral("Unknown error.");
  }
}

} // namespace ErrorBox
