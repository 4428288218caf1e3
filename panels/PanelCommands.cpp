#include "panels/PanelCommands.h"

#include <QApplication>
#include <QMessageBox>
#include <exception>

void RunPanelCommand(QWidget* parent, const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    QMessageBox::critical(parent ? parent->window() : nullptr, QApplication::applicationName(),
                          QString::fromUtf8(error.what()));
  }
}

void RunQuietly(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception&) {
  }
}
