// Where the file commands ask the user for a file name. The standard one shows the file
// dialogs; tests answer with names of their own.
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// Filters are written as pairs "Description|patterns|Description|patterns", the patterns
// separated by ';' ("All file (*.grx *.swf)|*.grx;*.swf|Greetix file (*.grx)|*.grx").
class TFileDialogs {
public:
  virtual ~TFileDialogs() = default;
  // The chosen file, or an empty string when the user cancels. No default extension and no
  // overwrite question: the commands derive every extension. A save dialog opens in
  // `folder` (the current folder when it is empty).
  virtual QString OpenFileName(QWidget* parent, const QString& filter);
  virtual QString SaveFileName(QWidget* parent, const QString& filter, const QString& folder);
  // A save dialog that also offers `sizes` (picture sizes of an export): `size` is the
  // index shown first, and the one chosen when a name is.
  virtual QString SaveExportFileName(QWidget* parent, const QString& filter, const QString& folder,
                                     const QStringList& sizes, int& size);

  // The filter in the dialog's own form ("All file (*.grx *.swf);;Greetix file (*.grx)").
  static QStringList DialogFilters(const QString& filter);
};
