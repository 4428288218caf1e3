#include "panels/SoundSelectFrm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <exception>

#include "panels/ChildFrm.h"
#include "panels/PanelCommands.h"
#include "panels/PanelHost.h"
#include "panels/SoundFrm.h"
#include "panels/ioplug.h"
#include "render/RenderContext.h"

namespace {

// The file a name in the card stands for: a relative name (as the templates hold) lies in the
// program folder, where the renderer looks for its converted file.
std::string SoundFileOf(const QString& fileName)
{
  const std::string name = QFile::encodeName(fileName).toStdString();
  IPanelHost* host = PanelHost();
  return host ? host->RenderContext().ResolveMediaPath(name) : name;
}

void StandardMessage(QWidget* parent, const QString& text)
{
  QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok, parent);
  box.exec();
}

} // namespace

TSoundSelectForm::TSoundSelectForm(QWidget* parent)
    : TMediaChooser({QStringLiteral("SoundSelectForm"), QStringLiteral("Select Sound:"),
                     QStringLiteral("Sound Filename:"), QStringLiteral("EditSoundName"), ClientHeight, 58},
                    StandardMessage, parent),
      OpenSoundDialog(StandardOpenDialog)
{
  EditSoundName = NameEdit();

  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
  ProgressBar1->setGeometry(0, ClientHeight - 16, ClientWidth, 16);
  ProgressBar1->setRange(0, ProgressMaximum);
  ProgressBar1->setTextVisible(false);

  connect(OpenBtn, &QPushButton::clicked, this, &TSoundSelectForm::OpenBtnClick);
  connect(OkBtn, &QPushButton::clicked, this, &TSoundSelectForm::OkBtnClick);
  connect(CleanBtn, &QPushButton::clicked, this, &TSoundSelectForm::CleanBtnClick);
}

void TSoundSelectForm::SetSoundForm(TSoundForm* form) { Panel = form; }

QString TSoundSelectForm::SoundFilter()
{
  return QStringLiteral("All Sound Files (*.mp3;*.wav;*.m4a;*.aac;*.ogg;*.oga;*.opus;*.flac)|"
                        "*.mp3;*.wav;*.m4a;*.aac;*.ogg;*.oga;*.opus;*.flac");
}

QString TSoundSelectForm::DialogFilter()
{
  // The dialog matches the patterns listed in parentheses, separated by spaces.
  return QStringLiteral("All Sound Files (*.mp3 *.wav)");
}

void TSoundSelectForm::showEvent(QShowEvent* event)
{
  QDialog::showEvent(event);
  FormShow();
}

void TSoundSelectForm::FormShow()
{
  SetButtonsEnabled(true);
  ProgressBar1->setValue(0);
}

void TSoundSelectForm::OpenBtnClick()
{
  OpenFileWith(OpenSoundDialog, DialogFilter());
}

void TSoundSelectForm::CleanBtnClick()
{
  EditSoundName->clear();
  SetPanelContent(QString());
  accept();
}

void TSoundSelectForm::OkBtnClick()
{
  if (IsImporting) return;
  const QString fileName = EditSoundName->text();
  // An empty name means no sound: nothing to decode, and no file is written anywhere.
  if (!fileName.isEmpty()) {
    IsImporting = true;
    // Disabled until the chooser is shown again, so a second import cannot start.
    SetButtonsEnabled(false);
    QString failure;
    try {
      SoundImporter().Import(SoundFileOf(fileName), [this] { WaitStep(); });
    } catch (const plugins::TSoundImportError& error) {
      failure = ImportFailureText(error.what(), error.Detail());
    } catch (const std::exception& error) {
      failure = ImportFailureText(error.what(), {});
    }
    IsImporting = false;
    if (!failure.isEmpty()) {
      // The card keeps the sound it had (and any earlier converted file); the chooser stays
      // open with the name, so another can be chosen.
      SetButtonsEnabled(true);
      ProgressBar1->setValue(0);
      if (ShowMessage) ShowMessage(this, failure);
      return;
    }
  }
  SetPanelContent(fileName);
  accept();
}

QString TSoundSelectForm::ImportFailureText(const std::string& message, const std::string& reason)
{
  QString text = QString::fromUtf8(message);
  QString why = QString::fromUtf8(reason).trimmed();
  // The messages of missing sound modules stand alone (their detail names the module).
  if (why.isEmpty() || !text.startsWith(QStringLiteral("Can not import "))) return text;
  // The decoder's own words, without the library's technical detail in brackets after them.
  if (const qsizetype detail = why.indexOf(QStringLiteral(" (")); detail > 0) why.truncate(detail);
  why[0] = why[0].toUpper();
  if (!why.endsWith(QLatin1Char('.'))) why += QLatin1Char('.');
  return text + QStringLiteral("\n\n") + why;
}

void TSoundSelectForm::WaitStep()
{
  SetButtonsEnabled(false);
  QCoreApplication::processEvents();
  const int next = ProgressBar1->value() + ProgressStep;
  ProgressBar1->setValue(next < ProgressMaximum ? next : 0);
}

void TSoundSelectForm::SetButtonsEnabled(bool enabled)
{
  OpenBtn->setEnabled(enabled);
  OkBtn->setEnabled(enabled);
  CleanBtn->setEnabled(enabled);
}

void TSoundSelectForm::SetPanelContent(const QString& fileName)
{
  TSoundForm* panel = Panel ? Panel.data() : qobject_cast<TSoundForm*>(TChildForm::Find(QStringLiteral("SoundForm")));
  if (!panel) return;
  const bool changed = panel->Content->text() != fileName;
  panel->Content->setText(fileName);
  // The preview plays the sound just chosen (typing a name in the panel renders nothing).
  if (IPanelHost* host = PanelHost(); host && changed) RunQuietly([host] { host->RenderCard(); });
}

void TSoundSelectForm::reject()
{
  // The decoding must end before the chooser goes away.
  if (!IsImporting) QDialog::reject();
}

void TSoundSelectForm::closeEvent(QCloseEvent* event)
{
  if (IsImporting)
    event->ignore();
  else
    QDialog::closeEvent(event);
}
