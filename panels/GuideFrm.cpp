#include "panels/GuideFrm.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTabWidget>

#include "panels/UiBitmaps.h"

namespace {

QColor FromColorRef(unsigned bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace

TGuideForm::TGuideForm(int& guideResult, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      GuideResult(guideResult) {
  setObjectName(QStringLiteral("GuideForm"));
  setWindowTitle(QStringLiteral("New Cards"));
  setFixedSize(379, 277);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, FromColorRef(GuideFormColor));
  setPalette(palette);
  setAutoFillBackground(true);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(8, 8, 363, 222);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("New"));

  ListView1 = new QListWidget(TabSheet1);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setViewMode(QListView::IconMode);
  ListView1->setIconSize(QSize(32, 32));
  ListView1->setGridSize(QSize(84, 72));
  ListView1->setMovement(QListView::Static);
  ListView1->setResizeMode(QListView::Adjust);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setGeometry(0, 0, 357, 195);
  const struct {
    const char* Caption;
    const char* Icon;
  } entries[] = {{"Blank", ":/guide/blank.svg"}, {"Birthday", ":/guide/birthday.svg"}};
  for (const auto& entry : entries) {
    auto* item = new QListWidgetItem(QIcon(Ui::Picture(entry.Icon, QSize(32, 32))),
                                     QString::fromLatin1(entry.Caption), ListView1);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
  ListView1->viewport()->installEventFilter(this);

  OkBtn = new QPushButton(QStringLiteral("&OK"), this);
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  OkBtn->setGeometry(214, 240, 75, 25);
  OkBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(296, 240, 75, 25);

  connect(ListView1, &QListWidget::itemSelectionChanged, this, &TGuideForm::ListView1Change);
  connect(ListView1, &QListWidget::itemDoubleClicked, this, &TGuideForm::ListView1DblClick);
  connect(OkBtn, &QPushButton::clicked, this, &TGuideForm::OkBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
}

void TGuideForm::FormCreate() { OkBtn->setEnabled(false); }

void TGuideForm::ListView1Change() {
  OkBtn->setEnabled(!ListView1->selectedItems().isEmpty());
}

void TGuideForm::ListView1DblClick() {
  if (ListView1->selectedItems().isEmpty())
    return;
  RecordResult();
  accept();
}

void TGuideForm::OkBtnClick() {
  if (ListView1->selectedItems().isEmpty())
    return;
  RecordResult();
  accept();
}

void TGuideForm::RecordResult() {
  GuideResult = ListView1->row(ListView1->selectedItems().constFirst());
}

// A press on empty space in the list clears the selection, as the list of a file browser does.
bool TGuideForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ListView1->viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (!ListView1->itemAt(mouse->position().toPoint()))
      ListView1->clearSelection();
  }
  return QDialog::eventFilter(watched, event);
}

void TGuideForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    reject();
    return;
  }
  QDialog::keyPressEvent(event);
}
