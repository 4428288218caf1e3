// The progress dialog of an export: the export runs on a thread of its own while the
// dialog shows the percent and the frames done, and Cancel (or closing it) stops it.
#pragma once

#include <QDialog>

#include <atomic>
#include <string>
#include <thread>

#include "export/ExportOptions.h"

class QLabel;
class QProgressBar;
class QPushButton;

class TExportProgressForm : public QDialog {
  Q_OBJECT
public:
  TExportProgressForm(QWidget* parent, std::string movie, std::string target,
                      exporter::TExportOptions options);
  ~TExportProgressForm() override; // stops and waits for a running export

  // Starts the export and waits for its end: Accepted when it was written, Rejected when it
  // failed (ErrorText says why) or was cancelled (ErrorText empty).
  int exec() override;
  QString ErrorText() const { return Error; }
  // What Cancel does: asks the export to stop; the dialog closes when it has.
  void CancelExport();

  QProgressBar* ExportProgress = nullptr;
  QLabel* LabelFrames = nullptr;
  QPushButton* BtnCancel = nullptr;

protected:
  void reject() override; // Escape and the close button cancel too

private:
  void ShowProgress(int done, int total);
  void Finished(bool written, const QString& error);

  std::string Movie, Target;
  exporter::TExportOptions Options;
  std::atomic<bool> CancelRequested{false};
  std::thread Worker;
  bool Running = false;
  QString Error;
};
