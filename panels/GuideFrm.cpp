#include "panels/GuideFrm.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>

#include "panels/TemplatePictures.h"
#include "panels/UiBitmaps.h"

namespace {

const QSize PosterSize(128, 96);     // the stage's 4:3
const QSize AnimationSize(240, 180);
constexpr int FileRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;

QColor FromColorRef(unsigned bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QIcon PosterIcon(const QString& picture) {
  QPixmap poster(picture);
  if (poster.isNull())
    return QIcon(Ui::Picture(":/guide/blank.svg", PosterSize));
  // Every poster the same size, centred: a card of another shape would otherwise move its
  // caption when its poster arrives, leaving the old caption painted behind.
  const QPixmap scaled = poster.scaled(PosterSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  QPixmap framed(PosterSize);
  framed.fill(Qt::transparent);
  QPainter painter(&framed);
  painter.drawPixmap((PosterSize.width() - scaled.width()) / 2, (PosterSize.height() - scaled.height()) / 2, scaled);
  painter.end();
  return QIcon(framed);
}

} // namespace

TGuideForm::TGuideForm(int& guideResult, const TGuideSources& sources, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      GuideResult(guideResult), FCatalogue(sources.TemplateFolder, sources.UserTemplateFolder) {
  setObjectName(QStringLiteral("GuideForm"));
  setWindowTitle(QStringLiteral("New Cards"));
  setFixedSize(900, 470);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, FromColorRef(GuideFormColor));
  setPalette(palette);
  setAutoFillBackground(true);

  PageControl1 = new QTabWidget(this);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  PageControl1->setGeometry(8, 8, 628, 420);
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl1->addTab(TabSheet1, QStringLiteral("New"));

  OccasionList = new QListWidget(TabSheet1);
  OccasionList->setObjectName(QStringLiteral("OccasionList"));
  OccasionList->setGeometry(0, 0, 150, 393);
  OccasionList->addItem(QStringLiteral("All Cards"));
  OccasionList->addItems(FCatalogue.Occasions());

  ListView1 = new QListWidget(TabSheet1);
  ListView1->setObjectName(QStringLiteral("ListView1"));
  ListView1->setViewMode(QListView::IconMode);
  ListView1->setIconSize(PosterSize);
  ListView1->setGridSize(QSize(PosterSize.width() + 16, PosterSize.height() + 40));
  ListView1->setMovement(QListView::Static);
  ListView1->setResizeMode(QListView::Adjust);
  ListView1->setWordWrap(true);
  ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
  ListView1->setGeometry(154, 0, 468, 393);
  ListView1->viewport()->installEventFilter(this);

  PreviewPicture = new QLabel(this);
  PreviewPicture->setObjectName(QStringLiteral("PreviewPicture"));
  PreviewPicture->setGeometry(648, 36, AnimationSize.width(), AnimationSize.height());
  PreviewPicture->setAlignment(Qt::AlignCenter);
  PreviewPicture->setFrameShape(QFrame::StyledPanel);
  PreviewTitle = new QLabel(this);
  PreviewTitle->setObjectName(QStringLiteral("PreviewTitle"));
  PreviewTitle->setGeometry(648, 222, AnimationSize.width(), 60);
  PreviewTitle->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  PreviewTitle->setWordWrap(true);
  PreviewTitle->setText(QStringLiteral("Choose an occasion and a card.\nA double-click starts a card from it."));

  OkBtn = new QPushButton(QStringLiteral("&OK"), this);
  OkBtn->setObjectName(QStringLiteral("OkBtn"));
  OkBtn->setGeometry(734, 436, 75, 25);
  OkBtn->setDefault(true);
  CancelBtn = new QPushButton(QStringLiteral("&Cancel"), this);
  CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
  CancelBtn->setGeometry(816, 436, 75, 25);

  if (!sources.Program.isEmpty()) {
    FPictures = new TTemplatePictures(sources.Program, sources.CacheFolder, this);
    connect(FPictures, &TTemplatePictures::PosterReady, this, &TGuideForm::ShowPoster);
    connect(FPictures, &TTemplatePictures::AnimationReady, this, &TGuideForm::PlayAnimation);
  }

  connect(OccasionList, &QListWidget::currentRowChanged, this, &TGuideForm::OccasionListChange);
  connect(ListView1, &QListWidget::itemSelectionChanged, this, &TGuideForm::ListView1Change);
  connect(ListView1, &QListWidget::itemDoubleClicked, this, &TGuideForm::ListView1DblClick);
  connect(OkBtn, &QPushButton::clicked, this, &TGuideForm::OkBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  OccasionList->setCurrentRow(0);
  FormCreate();
}

TGuideForm::~TGuideForm() = default;

void TGuideForm::FormCreate() { OkBtn->setEnabled(false); }

// Shows the templates of the chosen occasion ("All Cards": every one, in catalogue order).
void TGuideForm::OccasionListChange() {
  const QString occasion = OccasionList->currentRow() > 0 ? OccasionList->currentItem()->text() : QString();
  ListView1->clear();
  const QList<TTemplateEntry>& entries = FCatalogue.Entries();
  for (int i = 0; i < entries.size(); ++i) {
    if (!occasion.isEmpty() && entries[i].Occasion != occasion)
      continue;
    const QString poster = FPictures ? FPictures->Poster(entries[i].File, PosterSize.width()) : QString();
    auto* item = new QListWidgetItem(PosterIcon(poster), entries[i].Title, ListView1);
    item->setData(FileRole, entries[i].File);
    item->setData(IndexRole, i);
    item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
    item->setToolTip(entries[i].Title);
  }
  ListView1Change();
}

void TGuideForm::ListView1Change() {
  const bool selected = !ListView1->selectedItems().isEmpty();
  OkBtn->setEnabled(selected);
  if (FMovie) {
    FMovie->stop();
    FMovie->deleteLater();
    FMovie = nullptr;
  }
  PreviewPicture->clear();
  if (!selected)
    return;
  const QListWidgetItem* item = ListView1->selectedItems().constFirst();
  PreviewTitle->setText(item->text());
  const QString file = item->data(FileRole).toString();
  PreviewPicture->setPixmap(item->icon().pixmap(PosterSize).scaled(AnimationSize, Qt::KeepAspectRatio));
  if (FPictures) {
    const QString animation = FPictures->Animation(file, AnimationSize.width());
    if (!animation.isEmpty())
      PlayAnimation(file, animation);
  }
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
  GuideResult = ListView1->selectedItems().constFirst()->data(IndexRole).toInt();
}

QString TGuideForm::SelectedFile() const {
  const QList<QListWidgetItem*> selected = ListView1->selectedItems();
  return selected.isEmpty() ? QString() : selected.constFirst()->data(FileRole).toString();
}

void TGuideForm::ShowPoster(const QString& card, const QString& picture) {
  for (int row = 0; row < ListView1->count(); ++row)
    if (ListView1->item(row)->data(FileRole).toString() == card)
      ListView1->item(row)->setIcon(PosterIcon(picture));
  if (card == SelectedFile() && !FMovie)
    PreviewPicture->setPixmap(QPixmap(picture).scaled(AnimationSize, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

// The selected card plays (without its sound) beside the list; another selection ends it.
void TGuideForm::PlayAnimation(const QString& card, const QString& picture) {
  if (card != SelectedFile() || FMovie)
    return;
  FMovie = new QMovie(picture, QByteArray(), this);
  if (!FMovie->isValid()) {
    delete FMovie;
    FMovie = nullptr;
    return;
  }
  PreviewPicture->setMovie(FMovie);
  FMovie->start();
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
