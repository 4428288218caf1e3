#include "app/FileDialogs.h"

#include <algorithm>

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>

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

QString Ask(QWidget* parent, const QString& filter, QFileDialog::AcceptMode mode, const QString& folder = {},
            const QStringList& sizes = {}, int* size = nullptr) {
  QFileDialog dialog(parent, QString(), folder);
  QComboBox* sizeBox = nullptr;
  // The sizes take a row of their own below the file type, in the dialog Qt draws itself.
  if (size && !sizes.isEmpty()) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
      sizeBox = new QComboBox(&dialog);
      sizeBox->setObjectName(QStringLiteral("ExportSize"));
      sizeBox->addItems(sizes);
      sizeBox->setCurrentIndex(std::clamp(*size, 0, int(sizes.size()) - 1));
      auto* label = new QLabel(QStringLiteral("Picture si&ze:"), &dialog);
      label->setBuddy(sizeBox);
      const int row = grid->rowCount();
      grid->addWidget(label, row, 0);
      grid->addWidget(sizeBox, row, 1);
    }
  }
  dialog.setObjectName(mode == QFileDialog::AcceptOpen ? QStringLiteral("OpenDialog")
                                                       : QStringLiteral("SaveDialog"));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);
  dialog.setNameFilters(TFileDialogs::DialogFilters(filter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  if (sizeBox)
    *size = sizeBox->currentIndex();
  return dialog.selectedFiles().constFirst();
}

} // namespace

QString TFileDialogs::OpenFileName(QWidget* parent, const QString& filter) {
  return Ask(parent, filter, QFileDialog::AcceptOpen);
}

QString TFileDialogs::SaveFileName(QWidget* parent, const QString& filter, const QString& folder) {
  return Ask(parent, filter, QFileDialog::AcceptSave, folder);
}

QString TFileDialogs::SaveExportFileName(QWidget* parent, const QString& filter, const QString& folder,
                                         const QStringList& sizes, int& size) {
  return Ask(parent, filter, QFileDialog::AcceptSave, folder, sizes, &size);
}
