// Not a test: draws the editor's windows into PNG files for a person to look at.
//   greetix-screenshots OUTDIR [CARD.grx|MOVIE.swf]
// Writes main.png (after about two seconds of playing), about.png, guide.png, cover.png
// and buttons.png (every button's idle, over, pressed and disabled pictures, enlarged).
#include <QApplication>
#include <QDir>
#include <QPainter>
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
  {
    const TImageList* lists[] = {&form.ImageList1,  &form.ImageList3,  &form.ImageList2,
                                 &form.ImageList4,  &form.ImageList5,  &form.ImageList6,
                                 &form.ImageList7,  &form.ImageList8,  &form.ImageList17,
                                 &form.ImageList12, &form.ImageList13, &form.ImageList14,
                                 &form.ImageList15, &form.ImageList16, &form.ImageList10,
                                 &form.ImageList11, &form.ImageList9};
    const int cell = 48, scale = 2;
    QImage sheet(4 * cell * scale, int(std::size(lists)) * cell * scale, QImage::Format_RGB32);
    sheet.fill(QColor(240, 140, 90));
    QPainter painter(&sheet);
    painter.scale(scale, scale);
    for (int row = 0; row < int(std::size(lists)); ++row)
      for (int state = 0; state < 4; ++state)
        painter.drawPixmap(state * cell + 4, row * cell + 4, lists[row]->Image(state));
    painter.end();
    sheet.save(out.filePath(QStringLiteral("buttons.png")));
  }
  form.show();
  QTimer::singleShot(2000, &form, [&] {
    form.grab().save(out.filePath(QStringLiteral("main.png")));
    if (TFlashCard* card = form.Global().FlashCard.get())
      fprintf(stderr, "card %s %dx%d, client %dx%d\n", card->Mode().c_str(), card->Width,
              card->Height, form.ClientSize().width(), form.ClientSize().height());
    TAboutForm about(&form);
    about.show();
    about.grab().save(out.filePath(QStringLiteral("about.png")));
    int choice = 0;
    TGuideForm guide(choice, TMainForm::GuideSources(), &form);
    guide.show();
    guide.grab().save(out.filePath(QStringLiteral("guide.png")));
    application.quit();
  });
  return application.exec();
}
