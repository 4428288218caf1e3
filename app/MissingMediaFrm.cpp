#include "app/MissingMediaFrm.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "app/MissingMedia.h"

namespace {

QString ChooseWithDialog(QWidget* parent, const QString& missing, const QString& folder) {
  const QString name = QFileInfo(missing).fileName();
  return QFileDialog::getOpenFileName(parent, QStringLiteral("Locate %1").arg(name), folder,
                                      QStringLiteral("%1;;All Files (*)").arg(name));
}

} // namespace

TMissingMediaForm::TMissingMediaForm(const QStringList& missing, const QString& startFolder, QWidget* parent,
                                     TChooseFile choose)
    : QDialog(parent), Missing(missing), Folder(startFolder), Choose(choose ? std::move(choose) : ChooseWithDialog) {
  setObjectName(QStringLiteral("MissingMediaForm"));
  setWindowTitle(QStringLiteral("Missing Pictures and Sounds"));
  auto* layout = new QVBoxLayout(this);
  auto* text = new QLabel(QStringLiteral("These pictures and sounds of the card cannot be found. Locate them, "
                                         "or open the card without them."),
                          this);
  text->setWordWrap(true);
  layout->addWidget(text);
  List = new QTreeWidget(this);
  List->setObjectName(QStringLiteral("List"));
  List->setRootIsDecorated(false);
  List->setHeaderLabels({QStringLiteral("File"), QStringLiteral("Found at")});
  List->header()->setStretchLastSection(true);
  for (const QString& path : Missing) {
    auto* item = new QTreeWidgetItem(List, {QFileInfo(path).fileName(), QStringLiteral("missing")});
    item->setToolTip(0, path);
  }
  List->resizeColumnToContents(0);
  if (List->topLevelItemCount() > 0)
    List->setCurrentItem(List->topLevelItem(0));
  layout->addWidget(List);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  LocateBtn = buttons->addButton(QStringLiteral("&Locate…"), QDialogButtonBox::ActionRole);
  LocateBtn->setObjectName(QStringLiteral("LocateBtn"));
  layout->addWidget(buttons);
  connect(LocateBtn, &QPushButton::clicked, this, &TMissingMediaForm::LocateSelected);
  connect(List, &QTreeWidget::itemDoubleClicked, this, &TMissingMediaForm::LocateSelected);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  resize(520, 300);
}

void TMissingMediaForm::LocateSelected() {
  const int row = List->indexOfTopLevelItem(List->currentItem());
  if (row < 0)
    return;
  const QString missing = Missing[row];
  const QString chosen = Choose(this, missing, Folder);
  if (chosen.isEmpty())
    return;
  Folder = QFileInfo(chosen).absolutePath();
  QMap<QString, QString> picked = Located;
  picked.insert(missing, chosen);
  Located = FindAlongside(Missing, picked);
  ShowFound();
}

void TMissingMediaForm::ShowFound() {
  for (int i = 0; i < Missing.size(); ++i)
    List->topLevelItem(i)->setText(1, Located.value(Missing[i], QStringLiteral("missing")));
  // The next one still missing is ready to be located.
  for (int i = 0; i < Missing.size(); ++i)
    if (!Located.contains(Missing[i])) {
      List->setCurrentItem(List->topLevelItem(i));
      break;
    }
}
