#include "app/ErrorBox.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/ProgramTitle.h"

namespace ErrorBox {
namespace {

std::function<void(const QString&)>& Reporter() {
  static std::function<void(const QString&)> reporter;
  return reporter;
}

} // namespace

void Show(const QString& text) {
  if (Reporter()) {
    Reporter()(text);
    return;
  }
  // The caption is the program's title, not the task-bar text that follows the movie.
  QMessageBox box(QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), text,
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
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
