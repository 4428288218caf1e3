// The Save button's "Make Cards for a List": the card as it is being edited, made once
// for every row of a list.
#include <QApplication>
#include <QMessageBox>

#include "app/ListCardsFrm.h"
#include "app/MainFrm.h"

void TMainForm::FileMakeCardsForListActExecute() {
  if (!EditingCard()) {
    QMessageBox::information(this, QApplication::applicationName(),
                             QStringLiteral("Open or make a card first: its texts say where the list's fields go."));
    return;
  }
  TListCardsForm form(QString::fromStdString(G.FlashCard->WorkProjectFile()), this, SaveFolder());
  form.exec();
}
