#include "app/ExportProgressFrm.h"

#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "export/ExportError.h"
#include "export/MovieExport.h"

TExportProgressForm::TExportProgressForm(QWidget* parent, std::string movie, std::string target,
                                         exporter::TExportOptions options)
    : QDialog(parent), Movie(std::move(movie)), Target(std::move(target)), Options(std::move(options)) {
  setObjectName(QStringLiteral("ExportProgressForm"));
  setWindowTitle(QStringLiteral("Export"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* title = new QLabel(QStringLiteral("Exporting %1").arg(QString::fromStdString(Target)), this);
  title->setObjectName(QStringLiteral("LabelTarget"));
  title->setWordWrap(true);
  ExportProgress = new QProgressBar(this);
  ExportProgress->setObjectName(QStringLiteral("ExportProgress"));
  ExportProgress->setRange(0, 100);
  ExportProgress->setValue(0);
  LabelFrames = new QLabel(QStringLiteral("Starting..."), this);
  LabelFrames->setObjectName(QStringLiteral("LabelFrames"));
  BtnCancel = new QPushButton(QStringLiteral("Cancel"), this);
  BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
  layout->addWidget(title);
  layout->addWidget(ExportProgress);
  layout->addWidget(LabelFrames);
  layout->addWidget(BtnCancel, 0, Qt::AlignRight);
  setMinimumWidth(360);
  connect(BtnCancel, &QPushButton::clicked, this, &TExportProgressForm::CancelExport);
}

TExportProgressForm::~TExportProgressForm() {
  CancelRequested = true;
  if (Worker.joinable())
    Worker.join();
}

int TExportProgressForm::exec() {
  Options.Cancel = &CancelRequested;
  // Called on the export's thread: the figures reach the dialog through its event loop.
  Options.Progress = [this](const exporter::TExportProgress& progress) {
    QMetaObject::invokeMethod(this, [this, done = progress.FramesDone, total = progress.FramesTotal] {
      ShowProgress(done, total);
    }, Qt::QueuedConnection);
  };
  Running = true;
  Worker = std::thread([this] {
    bool written = false;
    QString error;
    try {
      exporter::ExportMovie(Movie, Target, Options);
      written = true;
    } catch (const exporter::TExportCancelled&) {
    } catch (const std::exception& failure) {
      error = QString::fromStdString(failure.what());
    }
    QMetaObject::invokeMethod(this, [this, written, error] { Finished(written, error); },
                              Qt::QueuedConnection);
  });
  return QDialog::exec();
}

void TExportProgressForm::CancelExport() {
  CancelRequested = true;
  BtnCancel->setEnabled(false);
  LabelFrames->setText(QStringLiteral("Cancelling..."));
}

void TExportProgressForm::reject() {
  if (Running)
    CancelExport(); // the dialog closes once the export has stopped and cleaned up
  else
    QDialog::reject();
}

void TExportProgressForm::ShowProgress(int done, int total) {
  if (!Running)
    return;
  ExportProgress->setValue(total > 0 ? done * 100 / total : 0);
  if (!CancelRequested)
    LabelFrames->setText(QStringLiteral("Frame %1 of %2").arg(done).arg(total));
}

void TExportProgressForm::Finished(bool written, const QString& error) {
  Running = false;
  if (Worker.joinable())
    Worker.join();
  Error = error;
  if (written) {
    ExportProgress->setValue(100);
    accept();
  } else {
    QDialog::reject();
  }
}
