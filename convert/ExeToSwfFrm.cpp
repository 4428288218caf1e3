#include "convert/ExeToSwfFrm.h"

#include "convert/ConvertForm.h"
#include "convert/ProjectorFile.h"

#include <QLineEdit>
#include <QPushButton>
#include <exception>

TExeToSwfForm::TExeToSwfForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("ExeToSwfForm"));
  const TConvertFormWidgets widgets = BuildConvertForm(
      this, 342, 120, QStringLiteral("Convert Exe To Swf"), QStringLiteral("Convert Exe To Swf:"),
      QStringLiteral("Source file(.exe):"), QStringLiteral("Taget file(.swf):"));
  SourceExe = widgets.Source;
  SourceExe->setObjectName(QStringLiteral("SourceExe"));
  TargetSwf = widgets.Target;
  TargetSwf->setObjectName(QStringLiteral("TargetSwf"));
  OK = widgets.OK;
  connect(OK, &QPushButton::clicked, this, &TExeToSwfForm::OKClick);
}

int TExeToSwfForm::Execute(QWidget* parent, const QString& exeFile) {
  TExeToSwfForm form(parent);
  form.SourceExe->setText(exeFile);
  form.TargetSwf->setText(ChangeFileExt(exeFile, QStringLiteral(".swf")));
  return form.exec();
}

void TExeToSwfForm::OKClick() {
  try {
    ExeToSwf(SourceExe->text(), TargetSwf->text());
  } catch (const TUnknownExecutableError& error) {
    // Not a player executable: said plainly, and the dialog has done its job.
    ShowConvertMessage(this, QString::fromUtf8(error.what()));
    accept();
    return;
  } catch (const std::exception& error) {
    // The dialog stays open so the names can be corrected.
    ShowConvertError(this, QString::fromUtf8(error.what()));
    return;
  }
  ShowConvertMessage(this, QString::fromLatin1(ConvertedMessage));
  accept();
}

void FileExeToSwf(QWidget* parent) {
  const QString source =
      ChooseConvertSource(parent, QStringLiteral("OpenDialogExe"), QString::fromLatin1(ExeFileFilter));
  if (!source.isEmpty())
    TExeToSwfForm::Execute(parent, source);
}
