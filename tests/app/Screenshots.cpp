// Not a test: draws the editor's windows into PNG files for a person to look at.
//   greetix-screenshots OUTDIR [CARD.grx|MOVIE.swf]
// Writes main.png (after about two seconds of playing), about.png, guide.png, cover.png.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/AboutFrm.h"
#include "app/CoverFrm.h"
#include "app/MainFrm.h"
#include "panels/GuideFrm.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QStringList arguments = QApplication::arguments().mid(1);
  if (arguments.isEmpty()) {
    fprintf(stderr, "usage: greetix-screenshots OUTDIR [FILE]\n");
    return 1;
  }
  QDir out(arguments.takeFirst());
  out.mkpath(QStringLiteral("."));

  TfrmCover cover;
  cover.grab().save(out.filePath(QStringLiteral("cover.png")));

  TMainForm form(arguments);
  form.show();
  QTimer::singleShot(2000, &form, [&] {
    form.grab().save(out.filePath(QStringLiteral("main.png")));
    TAboutForm about(&form);
    about.show();
    about.grab().save(out.filePath(QStringLiteral("about.png")));
    int choice = 0;
    TGuideForm guide(choice, &form);
    guide.show();
    guide.grab().save(out.filePath(QStringLiteral("guide.png")));
    application.quit();
  });
  return application.exec();
}
