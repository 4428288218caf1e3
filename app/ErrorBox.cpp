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

} // namespace

void Show(const QString& text) {
  if (Reporter()) {
    Reporter()(text);
    return;
  }
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text,
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
