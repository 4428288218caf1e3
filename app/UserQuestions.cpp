#include "app/UserQuestions.h"

#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "app/MissingMediaFrm.h"
#include "app/ProgramTitle.h"

QString TUserQuestions::SaveChangesText(const QString& name) {
  return QStringLiteral("Save changes to %1?").arg(name);
}

QString TUserQuestions::RestoreCardText(const QString& name, const QDateTime& changed) {
  const QString time = changed.isValid() ? QLocale().toString(changed, QLocale::ShortFormat)
                                         : QStringLiteral("at an unknown time");
  return QStringLiteral("Greetix closed unexpectedly. Restore the card %1, last changed %2?").arg(name, time);
}

QString TUserQuestions::ReplacePageFilesText(const QStringList& names) {
  QString list = names.value(0);
  if (names.size() > 1)
    list = names.mid(0, names.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" and ") + names.last();
  return QStringLiteral("%1 already %2 beside the web page. Replace %3?")
      .arg(list, names.size() > 1 ? QStringLiteral("exist") : QStringLiteral("exists"),
           names.size() > 1 ? QStringLiteral("them") : QStringLiteral("it"));
}

bool TUserQuestions::ReplacePageFiles(QWidget* parent, const QStringList& names) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle), ReplacePageFilesText(names),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("ReplacePageFilesBox"));
  QPushButton* replace = box.addButton(QStringLiteral("&Replace"), QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == replace;
}

TSaveAnswer TUserQuestions::SaveChanges(QWidget* parent, const QString& name) {
  QMessageBox box(QMessageBox::Warning, QString::fromLatin1(ApplicationTitle), SaveChangesText(name),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("SaveChangesBox"));
  QPushButton* save = box.addButton(QStringLiteral("&Save"), QMessageBox::AcceptRole);
  QPushButton* dontSave = box.addButton(QStringLiteral("&Don't Save"), QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save)
    return TSaveAnswer::Save;
  if (box.clickedButton() == dontSave)
    return TSaveAnswer::DontSave;
  return TSaveAnswer::Cancel;
}

TRestoreAnswer TUserQuestions::RestoreCard(QWidget* parent, const QString& name, const QDateTime& changed) {
  QMessageBox box(QMessageBox::Question, QString::fromLatin1(ApplicationTitle), RestoreCardText(name, changed),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("RestoreCardBox"));
  QPushButton* restore = box.addButton(QStringLiteral("&Restore"), QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton(QStringLiteral("&Discard"), QMessageBox::DestructiveRole);
  box.setDefaultButton(restore);
  box.exec();
  if (box.clickedButton() == restore)
    return TRestoreAnswer::Restore;
  if (box.clickedButton() == discard)
    return TRestoreAnswer::Discard;
  return TRestoreAnswer::Later;
}

QMap<QString, QString> TUserQuestions::LocateMissingMedia(QWidget* parent, const QStringList& missing,
                                                          const QString& folder) {
  TMissingMediaForm form(missing, folder, parent);
  return form.exec() == QDialog::Accepted ? form.Found() : QMap<QString, QString>();
}

QString TUserQuestions::OutsideMediaText(const QStringList& files) {
  return QStringLiteral("This card reads these files from outside its folder:\n\n%1\n\n"
                        "Open cards only from people you trust.")
      .arg(files.join(QLatin1Char('\n')));
}

void TUserQuestions::ShowOutsideMedia(QWidget* parent, const QStringList& files) {
  QMessageBox box(QMessageBox::Information, QString::fromLatin1(ApplicationTitle), OutsideMediaText(files),
                  QMessageBox::Ok, parent);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse);
  box.exec();
}
