#include "app/FileDialogs.h"

#include <QFileDialog>

QStringList TFileDialogs::DialogFilters(const QString& filter) {
  QStringList parts = filter.split(QLatin1Char('|'));
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    // The description already names its patterns in brackets; the dialog reads those.
    QString description = parts[i];
    if (!description.contains(QLatin1Char('(')))
      description += QStringLiteral(" (") + patterns + QLatin1Char(')');
    result << description;
  }
  return result;
}

namespace {

QString Ask(QWidget* parent, const QString& filter, QFileDialog::AcceptMode mode, const QString& folder = {}) {
  QFileDialog dialog(parent, QString(), folder);
  dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog")
                                                       : QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters(TFileDialogs::DialogFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return dialog.selectedFiles().constFirst();
}

} // namespace

QString TFileDialogs::OpenFileName(QWidget* parent, const QString& filter) {
  return Ask(parent, filter, QFileDialog::AcceptOpen);
}

QString TFileDialogs::SaveFileName(QWidget* parent, const QString& filter, const QString& folder) {
  return Ask(parent, filter, QFileDialog::AcceptSave, folder);
}
