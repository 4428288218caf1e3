// The program: splash, main window, and the last media folder kept between runs.
#include <QStringList>

#include "app/Application.h"
#include "app/CoverFrm.h"
#include "app/MainFrm.h"
#include "app/MediaFolder.h"

int main(int argc, char** argv) {
  TGreetixApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Greetix"));

  QString lastOpenDir = LoadLastMediaFolder();
  {
    TfrmCover cover;
    cover.ShowUntilNextSecond();
  }

  QStringList arguments = QApplication::arguments().mid(1);
  TMainForm mainForm(arguments);
  mainForm.Global().LastOpenDir = lastOpenDir;
  mainForm.show();
  int status = application.exec();
  SaveLastMediaFolder(mainForm.Global().LastOpenDir);
  return status;
}
