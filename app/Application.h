// The application object: delivers every event under the error guard, so an error that
// escapes any handler reaches the standard error box and the program keeps running.
#pragma once

#include <QApplication>

class TGreetixApplication : public QApplication {
  Q_OBJECT
public:
  TGreetixApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
