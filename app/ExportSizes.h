// The picture sizes an export offers: the card's own, or a usual video size with the stage
// fitted in it and the background colour around it. The last choice is kept in the registry.
#pragma once

#include <QString>
#include <QStringList>

#include "export/ExportOptions.h"

struct TExportSize {
  QString Name;
  int Width = 0; // 0: the stage's own size
  int Height = 0;
};

const QList<TExportSize>& ExportSizes();
QStringList ExportSizeNames();
// The index of the size chosen last (0, the card's own, when none or an unknown one was).
int RememberedExportSize();
void RememberExportSize(int index);
void ApplyExportSize(int index, exporter::TExportOptions& options);
