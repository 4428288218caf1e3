// The painted title bar, the caption that follows the movie, the mouse over the preview
// (the Loop/About menu and dragging the selected object), help and the About box.
#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QWindow>

#include "app/AboutFrm.h"
#include "app/DragLayers.h"
#include "app/ErrorBox.h"
#include "app/MainFormHost.h"
#include "app/MainFrm.h"
#include "app/SelectionFrame.h"
#include "card/FlashCard.h"
#include "player/widget/FlashPlayer.h"
#include "platform/Desktop.h"
#include "platform/SystemPaths.h"

// ---- Title bar ----

void TMainForm::ImgTitleMouseDown(Qt::MouseButton button, QPoint globalPoint) {
  TitleDrag.Press(button, globalPoint);
}

void TMainForm::ImgTitleDblClick() {
  if (windowState() & Qt::WindowMaximized)
    showNormal();
  else
    showMaximized();
  if (isVisible())
    RepaintPlayer();
}

// ---- Caption ----

QString TMainForm::CaptionText(const QString& appTitle, const QString& documentName,
                               int frameNum, int totalFrames, bool modified) {
  return appTitle + QStringLiteral(" - ") + documentName + (modified ? QStringLiteral("*") : QString()) +
         QStringLiteral(" (%1/%2 Frames)").arg(frameNum + 1).arg(totalFrames);
}

void TMainForm::TimerTitleTimer() {
  try {
    QString caption = G.AppTitle;
    QString documentPart;
    QString movie = PreviewMovie();
    if (movie != QLatin1String(NoMovie) && !movie.isEmpty()) {
      // The mark stands while the card differs from its file: undoing back to the saved
      // state takes it away again.
      const bool modified = EditingCard() && G.FlashCard->History().Modified();
      caption = CaptionText(G.AppTitle, DocumentName(), PreviewFrameNum(), PreviewTotalFrames(), modified);
      documentPart = caption.mid(G.AppTitle.size());
    }
    // The task-bar shows the main window's caption. The application's display name stays
    // unset: the window system would append it, frame counter and all, to the caption of
    // every other window (the choosers, the file dialogs, the About box).
    if (windowTitle() != caption)
      setWindowTitle(caption);
    if (Caption1->text() != documentPart) {
      Caption1->setText(documentPart);
      Caption1->adjustSize();
    }
  } catch (...) {
    // The caption waits for the next tick.
  }
}

// The file-name part of the card's path, or of the movie shown when there is no card.
QString TMainForm::DocumentName() const {
  QString path = HasCard() ? CardPath() : PreviewMovie();
  return QFileInfo(path).fileName();
}

// ---- Mouse over the preview ----

bool TMainForm::InsidePreview(QPoint clientPoint) const {
  QRect area = PanelMain->geometry();
  return area.left() < clientPoint.x() && clientPoint.x() < area.left() + area.width() &&
         area.top() < clientPoint.y() && clientPoint.y() < area.top() + area.height();
}

bool TMainForm::ApplicationEvents1Message(QObject* receiver, QEvent* event) {
  // Mouse messages reach the window before any control; watching them there sees each
  // press once, whatever control lies under the pointer.
  if (receiver != windowHandle() || !windowHandle())
    return false;
  QEvent::Type type = event->type();
  if (type == QEvent::MouseMove || type == QEvent::MouseButtonPress)
    FollowServerPosition(*static_cast<QMouseEvent*>(event));
  if (type == QEvent::MouseMove && ShockwaveFlash->ShowsDragLayers()) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    FollowDrag(Client->mapFrom(this, mouse->position().toPoint()));
    return false;
  }
  // A picture's handle follows the pointer until any release, wherever it is.
  if (Resizing && (type == QEvent::MouseMove || type == QEvent::MouseButtonRelease)) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint clientPoint = Client->mapFrom(this, mouse->position().toPoint());
    const bool keepProportions = mouse->modifiers() & Qt::ShiftModifier;
    if (type == QEvent::MouseMove)
      FollowPictureResize(clientPoint, keepProportions);
    else
      RunCommand([&] { EndPictureResize(clientPoint, keepProportions); });
    return false;
  }
  if (type == QEvent::MouseMove && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton && EditingCard())
    ShowHandleCursor(Client->mapFrom(this, static_cast<QMouseEvent*>(event)->position().toPoint()));
  if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
    return false;
  auto* mouse = static_cast<QMouseEvent*>(event);
  QPoint screenPoint = mouse->globalPosition().toPoint();
  // From the window's own point of the press, not from the screen's: where the window stands
  // on the screen does not enter into it.
  QPoint clientPoint = Client->mapFrom(this, mouse->position().toPoint());
  bool active = isActiveWindow();

  // 1. The right button over the preview opens the Loop/About menu instead of anything the
  //    player would show.
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton && active &&
      InsidePreview(clientPoint)) {
    PopupMenu->popup(screenPoint);
    return true;
  }
  if (type == QEvent::MouseButtonPress && mouse->button() == Qt::RightButton && active &&
      OpenSavePopupAt(clientPoint, screenPoint))
    return true;

  // 2. Dragging the selected text or picture. The player and the slider get these
  //    presses too. The moving picture goes with any release, wherever it is.
  if (type == QEvent::MouseButtonRelease && mouse->button() == Qt::LeftButton)
    ShockwaveFlash->HideDragLayers();
  if (mouse->button() == Qt::LeftButton && active && InsidePreview(clientPoint)) {
    try {
      PreviewDragStep(type == QEvent::MouseButtonPress, clientPoint);
    } catch (...) {
      // A drag that cannot be applied changes nothing more.
    }
  }
  return false;
}

void TMainForm::PreviewDragStep(bool pressed, QPoint clientPoint) {
  if (!EditingCard() || (G.CurrentObjKind != QLatin1String("Text") &&
                         G.CurrentObjKind != QLatin1String("Pic")))
    return;
  if (pressed) {
    // Only a press on the movie itself starts a drag: one on the slider scrubs.
    const QRect player(ShockwaveFlash->mapTo(Client, QPoint(0, 0)), ShockwaveFlash->size());
    if (!player.contains(clientPoint)) {
      ShockwaveFlash->unsetCursor();
      return;
    }
    if (StartPictureResize(clientPoint))
      return;
    SelectionFrame->HideOutline();
    ShockwaveFlash->setCursor(Qt::SizeAllCursor);
    G.DragStart = clientPoint;
    ShowDragLayers();
    return;
  }
  ShockwaveFlash->HideDragLayers();
  ScheduleSelectionFrame(false);
  G.DragEnd = clientPoint;
  bool moving = ShockwaveFlash->testAttribute(Qt::WA_SetCursor) &&
                ShockwaveFlash->cursor().shape() == Qt::SizeAllCursor;
  // Whatever the move does, the player's cursor comes back.
  struct TCursorBack {
    QWidget* Player;
    ~TCursorBack() { Player->unsetCursor(); }
  } cursorBack{ShockwaveFlash};
  if (moving && G.DragEnd != G.DragStart)
    MoveCurrentObject(G.DragEnd - G.DragStart);
}

// A window manager that places a frameless window itself may leave Qt believing it stands
// where it was asked to (the screen's corner), so popups would open far from their buttons.
// The pointer tells where the window really is: the screen's point less the window's own.
void TMainForm::FollowServerPosition(const QMouseEvent& mouse) {
  const QPoint origin = mouse.globalPosition().toPoint() - mouse.position().toPoint();
  if (origin != pos() && windowState() == Qt::WindowNoState)
    move(origin);
}

// The object follows the pointer on pictures of the frame with and without it; the card
// renders once, at the release. Without the pictures the drag still moves it then.
void TMainForm::ShowDragLayers() {
  if (!G.SwfMovie)
    return;
  try {
    TFlashCard& card = *G.FlashCard;
    const int index = card.ObjectIndex(CardHost->SelectedObject());
    if (index < 0)
      return;
    const qreal ratio = ShockwaveFlash->devicePixelRatio();
    TDragLayers layers =
        MakeDragLayers(card, *G.SwfMovie, index, ShockwaveFlash->FrameNum(), ShockwaveFlash->size() * ratio);
    layers.Backdrop.setDevicePixelRatio(ratio);
    layers.Object.setDevicePixelRatio(ratio);
    ShockwaveFlash->ShowDragLayers(layers.Backdrop, layers.Object, QPoint());
  } catch (const std::exception&) {
    ShockwaveFlash->HideDragLayers();
  }
}

void TMainForm::FollowDrag(QPoint clientPoint) {
  // The release moves the object by the pointer's travel in stage pixels.
  const QPointF travel = QPointF(clientPoint - G.DragStart) * ShockwaveFlash->PixelsPerStagePixel();
  ShockwaveFlash->MoveDragLayer(travel.toPoint());
}

// ---- Help and About ----

QString HelpFileName() {
  return Platform::ProgramFolder() + QStringLiteral("/Greetix.html");
}

QString HelpUnreachableText(const QString& helpFile) {
  return QStringLiteral("No web browser could be started to show the help.\n"
                        "The help is the page \"%1\": open it in a web browser.")
      .arg(helpFile);
}

void TMainForm::HelpContentsActExecute() {
  // Installed, the page beside the program is a link: the message names the file itself.
  const QFileInfo page(HelpFileName());
  const QString helpFile = page.exists() ? page.canonicalFilePath() : page.absoluteFilePath();
  if (!page.exists()) {
    ErrorBox::Show(QStringLiteral("The help page \"%1\" is missing.").arg(helpFile));
    return;
  }
  Platform::ShellOpenWatched(helpFile, [helpFile] { ErrorBox::Show(HelpUnreachableText(helpFile)); });
}

void TMainForm::HelpFaqActExecute() {}

// The maker's web pages have no address in this edition: the two links lead nowhere.
void TMainForm::HelpVisitPlumeworksActExecute() {}

void TMainForm::HelpVisitForumActExecute() {}

void TMainForm::HelpAboutActExecute() {
  TAboutForm about(this);
  about.exec();
}
