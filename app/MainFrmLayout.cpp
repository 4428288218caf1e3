// The main window's geometry: the sizing border, the client layout on every size change,
// the size limits and the full-screen view.
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>
#include <utility>

#include "app/ImageBox.h"
#include "app/MainFrm.h"
#include "player/widget/FlashPlayer.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "card/FlashCard.h"

namespace {

constexpr int MinOuterWidth = 570;
constexpr int MaxOuterWidth = 1034;
constexpr int MinOuterHeight = 420;
constexpr int MaxOuterHeight = 800;

} // namespace

QSize TMainForm::ConstrainOuterSize(QSize proposed) {
  return QSize(std::clamp(proposed.width(), MinOuterWidth, MaxOuterWidth),
               std::clamp(proposed.height(), MinOuterHeight, MaxOuterHeight));
}

QSize TMainForm::ClientSize() const { return Client->size(); }

void TMainForm::SetClientSize(int width, int height) {
  int border = Sizeable ? 2 * BorderWidth : 0;
  QSize outer = ConstrainOuterSize(QSize(width + border, height + border));
  // A maximised window whose card asks for the size it has stays maximised.
  if (outer != size())
    resize(outer);
}

void TMainForm::SetClientWidth(int width) { SetClientSize(width, Client->height()); }

void TMainForm::SetClientHeight(int height) { SetClientSize(Client->width(), height); }

void TMainForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutClient();
}

void TMainForm::LayoutClient() {
  int border = Sizeable ? BorderWidth : 0;
  Client->setGeometry(border, border, width() - 2 * border, height() - 2 * border);
  FormResize();
}

void TMainForm::changeEvent(QEvent* event) {
  // A maximise asked for by the program changes the state before the window's size.
  if (event->type() == QEvent::WindowStateChange && isMaximized() && !StageBeforeMaximise && EditingCard())
    StageBeforeMaximise = QSize(G.FlashCard->Width, G.FlashCard->Height);
  QWidget::changeEvent(event);
}

std::optional<QSize> TMainForm::StageForClientSize(QSize client) {
  const QSize area(client.width() - PanelLeft->width(),
                   client.height() - PanelTop->height() - SliderPlay->height());
  if (!EditingCard())
    return area;
  const TFlashCard& card = *G.FlashCard;
  if (isMaximized()) {
    if (!StageBeforeMaximise)
      StageBeforeMaximise = QSize(card.Width, card.Height);
    return area;
  }
  // Restored: the card gets back exactly the stage it had, whatever the window came back to.
  if (StageBeforeMaximise)
    return std::exchange(StageBeforeMaximise, std::nullopt);
  // A window at the size the card's own stage fits it to (a small stage gets a preview
  // area of at least 380 × 330) stands for that stage.
  const TFlashCard::TClientSize fitted = TFlashCard::FittedClientSize(
      card.Width, card.Height, PanelLeft->width(), PanelTop->height(), SliderPlay->height());
  if (client == QSize(fitted.Width, fitted.Height))
    return std::nullopt;
  return area;
}

// The controls that stretch with the client area, as their alignments ask.
void TMainForm::AlignPanels() {
  int clientWidth = Client->width();
  int clientHeight = Client->height();
  PanelTop->setGeometry(0, 0, clientWidth, PanelTop->height());
  ImgTitle->resize(clientWidth, ImgTitle->height());
  ImgHead->resize(clientWidth, ImgHead->height());
  int below = PanelTop->height();
  PanelLeft->setGeometry(0, below, PanelLeft->width(), clientHeight - below);
  ImgLeft->setGeometry(PanelLeft->rect());
  PanelMain->setGeometry(PanelLeft->width(), below, clientWidth - PanelLeft->width(),
                         clientHeight - below);
  int strip = Panel1->height();
  ShockwaveFlash->setGeometry(0, 0, PanelMain->width(), PanelMain->height() - strip);
  Panel1->setGeometry(0, PanelMain->height() - strip, PanelMain->width(), strip);
  SliderPlay->setGeometry(Panel1->rect());
}

void TMainForm::FormResize() {
  AlignPanels();
  int clientWidth = Client->width();
  int clientHeight = Client->height();

  // 1. Repaint the player.
  if (isVisible())
    RepaintPlayer();

  // 2. In Edit state the stage follows the preview area, and the card renders anew.
  if (!G.WindowFitting && !SwitchingScreen) {
    if (const std::optional<QSize> stage = StageForClientSize(QSize(clientWidth, clientHeight)))
      ResizeCard(stage->width(), stage->height());
    // The card may have refitted the window to its movie meanwhile: the rest is laid out
    // from the size the window has now.
    const int border = Sizeable ? BorderWidth : 0;
    Client->setGeometry(border, border, width() - 2 * border, height() - 2 * border);
    AlignPanels();
    clientWidth = Client->width();
    clientHeight = Client->height();
  }

  // 3. Title bar, from the right.
  BtnClose->move(clientWidth - BtnClose->width() - 10, BtnClose->y());
  BtnMini->move(BtnClose->x() - BtnMini->width(), BtnMini->y());
  ImgTitleLine->move(BtnMini->x() - ImgTitleLine->width() - 5, ImgTitleLine->y());
  LabelHelp->move(ImgTitleLine->x() - LabelHelp->width() - 7, LabelHelp->y());
  BtnHelp->move(LabelHelp->x() - BtnHelp->width() - 2, BtnHelp->y());

  // 4. Player buttons, from the right.
  BtnForward->move(clientWidth - BtnForward->width() - 20, BtnForward->y());
  TPictureButton* previous = BtnForward;
  for (TPictureButton* button : {BtnBackward, BtnStop, BtnPause, BtnPlay, BtnLoop}) {
    button->move(previous->x() - button->width() - 1, button->y());
    previous = button;
  }

  // 5. The library's place keeps its distance from the bottom.
  PanelObj->move(PanelObj->x(), clientHeight - PanelObj->height() - 8);

  // 6. The docked panels' line and labels follow.
  MoveDockedPanelParts();
}

void TMainForm::MoveDockedPanelParts() {
  for (QWidget* panel : {G.BackgroundForm.data(), G.TextForm.data(), G.PicForm.data(),
                         G.SoundForm.data()}) {
    if (!panel)
      continue;
    if (auto* line = panel->findChild<QWidget*>(QStringLiteral("ChildImgLine")))
      line->resize(line->width(), PanelLeft->height() - 10);
    for (const char* name : {"ChildLabelFlashObj", "ChildLabelFlashObj1"})
      if (auto* label = panel->findChild<QWidget*>(QString::fromLatin1(name)))
        label->move(label->x(), PanelObj->y() - 103);
  }
}

// The player takes the focus, unless the user is typing in a panel: a render started by a
// panel's field can resize the window, and the next keys still belong to that field.
void TMainForm::RepaintPlayer() {
  ShockwaveFlash->update();
  QWidget* focus = QApplication::focusWidget();
  bool inPanel = focus && (PanelLeft->isAncestorOf(focus) || PanelObj->isAncestorOf(focus));
  if (!inPanel)
    ShockwaveFlash->setFocus();
}

namespace {

struct TSwitchingScreen {
  bool& Flag;
  explicit TSwitchingScreen(bool& flag) : Flag(flag) { Flag = true; }
  ~TSwitchingScreen() { Flag = false; }
};

} // namespace

void TMainForm::ViewFullScreenActExecute() {
  // Changing the window's flags takes it off the screen: each branch shows it again. The
  // sizes passed on the way are not the card's: only the size the window settles at is.
  TSwitchingScreen switching{SwitchingScreen};
  if (Sizeable) {
    SliderPlay->hide();
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    Sizeable = false;
    showMaximized();
  } else {
    SliderPlay->show();
    Sizeable = true;
    setWindowFlag(Qt::WindowStaysOnTopHint, false);
    showNormal();
  }
  LayoutClient();
}

// ---- The sizing border ----

Qt::Edges TMainForm::BorderEdgesAt(QPoint point) const {
  Qt::Edges edges;
  if (!Sizeable || isMaximized())
    return edges;
  const int grip = BorderWidth + 2; // corners are a little easier to catch
  if (point.x() < BorderWidth)
    edges |= Qt::LeftEdge;
  if (point.x() >= width() - BorderWidth)
    edges |= Qt::RightEdge;
  if (point.y() < BorderWidth)
    edges |= Qt::TopEdge;
  if (point.y() >= height() - BorderWidth)
    edges |= Qt::BottomEdge;
  if (edges & (Qt::LeftEdge | Qt::RightEdge)) {
    if (point.y() < grip)
      edges |= Qt::TopEdge;
    if (point.y() >= height() - grip)
      edges |= Qt::BottomEdge;
  }
  return edges;
}

void TMainForm::paintEvent(QPaintEvent*) {
  if (!Sizeable)
    return;
  QPainter painter(this);
  painter.fillRect(rect(), QColor(194, 76, 47));
  painter.setPen(QColor(233, 130, 90));
  painter.drawRect(rect().adjusted(1, 1, -2, -2));
}

void TMainForm::mouseMoveEvent(QMouseEvent* event) {
  Qt::Edges edges = BorderEdgesAt(event->position().toPoint());
  if (edges == (Qt::LeftEdge | Qt::TopEdge) || edges == (Qt::RightEdge | Qt::BottomEdge))
    setCursor(Qt::SizeFDiagCursor);
  else if (edges == (Qt::RightEdge | Qt::TopEdge) || edges == (Qt::LeftEdge | Qt::BottomEdge))
    setCursor(Qt::SizeBDiagCursor);
  else if (edges & (Qt::LeftEdge | Qt::RightEdge))
    setCursor(Qt::SizeHorCursor);
  else if (edges & (Qt::TopEdge | Qt::BottomEdge))
    setCursor(Qt::SizeVerCursor);
  else
    unsetCursor();
  QWidget::mouseMoveEvent(event);
}

void TMainForm::mousePressEvent(QMouseEvent* event) {
  Qt::Edges edges = BorderEdgesAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && edges && windowHandle()) {
    windowHandle()->startSystemResize(edges);
    return;
  }
  QWidget::mousePressEvent(event);
}

void TMainForm::leaveEvent(QEvent* event) {
  unsetCursor();
  QWidget::leaveEvent(event);
}
