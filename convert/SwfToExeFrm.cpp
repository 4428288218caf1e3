#include "convert/SwfToExeFrm.h"

#include "convert/ConvertForm.h"
#include "convert/ProjectorFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <exception>

TSwfToExeForm::TSwfToExeForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SwfToExeForm"));
  const TConvertFormWidgets widgets = BuildConvertForm(
      this, 343, 122, QStringLiteral("Convert Swf To Exe"), QStringLiteral("Convert Swf To Exe:"),
      QStringLiteral("Source file(.swf):"), QStringLiteral("Taget file(.exe):"));
  SourceSwf = widgets.Source;
  SourceSwf->setObjectName(QStringLiteral("SourceSwf"));
  TargetExe = widgets.Target;
  TargetExe->setObjectName(QStringLiteral("TargetExe"));
  OK = widgets.OK;
  connect(OK, &QPushButton::clicked, this, &TSwfToExeForm::OKClick);
}

int TSwfToExeForm::Execute(QWidget* parent, const QString& swfFile) {
  TSwfToExeForm form(parent);
  form.SourceSwf->setText(swfFile);
  form.TargetExe->setText(ChangeFileExt(swfFile, QStringLiteral(".exe")));
  return form.exec();
}

void TSwfToExeForm::OKClick() {
  try {
    SwfToExe(ProjectorPath(), SourceSwf->text(), TargetExe->text());
  } catch (const std::exception& error) {
    // The dialog stays open so the names can be corrected.
    ShowConvertError(this, QString::fromUtf8(error.what()));
    return;
  }
  ShowConvertMessage(this, QString::fromLatin1(ConvertedMessage));
  accept();
}

void FileSwfToExe(QWidget* parent) {
  const QString source =
      ChooseConvertSource(parent, QStringLiteral("OpenDialogSwf"), QString::fromLatin1(SwfFileFilter));
  if (!source.isEmpty())
    TSwfToExeForm::Execute(parent, source);
}
