// The dialog of a card whose pictures or sounds are missing: one list of them, each found
// again with Locate… (which finds the others of the chosen file's folder too).
#pragma once

#include <QDialog>
#include <QMap>
#include <functional>

class QPushButton;
class QTreeWidget;

class TMissingMediaForm : public QDialog {
  Q_OBJECT
public:
  // Asks for a file to stand for a missing one: its path, or empty when the user cancels.
  using TChooseFile = std::function<QString(QWidget* parent, const QString& missing, const QString& folder)>;

  TMissingMediaForm(const QStringList& missing, const QString& startFolder, QWidget* parent = nullptr,
                    TChooseFile choose = {});

  // Missing path → the file found for it, for those found.
  QMap<QString, QString> Found() const { return Located; }
  // Locates the selected missing file (as the button does).
  void LocateSelected();

  QTreeWidget* List = nullptr;
  QPushButton* LocateBtn = nullptr;

private:
  void ShowFound();

  QStringList Missing;
  QString Folder;
  TChooseFile Choose;
  QMap<QString, QString> Located;
};
