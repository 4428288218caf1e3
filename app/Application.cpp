#include "app/Application.h"

#include "app/ErrorBox.h"

TGreetixApplication::TGreetixApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TGreetixApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    ErrorBox::Show(ErrorBox::CurrentExceptionText());
    return false;
  }
}
