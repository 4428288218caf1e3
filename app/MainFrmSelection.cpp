// The selected object on the preview: its outline, the handles that resize a picture, and
// the arrow keys that nudge a text or picture.
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include "app/MainFormHost.h"
#include "app/MainFrm.h"
#include "app/ObjectBounds.h"
#include "app/SelectionFrame.h"
#include "player/widget/FlashPlayer.h"
#include "render/FlashPic.h"
#include "render/PicturePanel.h"
#include "render/RenderContext.h"

namespace {

// The stage's place in the player: pixels of the widget per stage pixel, and the stage's
// top-left corner (the movie is shown whole, centred).
struct TStageView {
  double Scale = 1;
  QPointF Origin;
  QRectF ToWidget(const QRectF& stage) const {
    return {Origin + stage.topLeft() * Scale, stage.size() * Scale};
  }
};

TStageView StageViewOf(const player::TFlashPlayer& player) {
  const QSizeF stage = player.Player().StageSize();
  if (stage.isEmpty())
    return {};
  const double scale = std::min(player.width() / stage.width(), player.height() / stage.height());
  return {scale, QPointF((player.width() - stage.width() * scale) / 2, (player.height() - stage.height() * scale) / 2)};
}

} // namespace

void TMainForm::BuildSelectionFrame() {
  SelectionFrame = new TSelectionFrame(ShockwaveFlash);
  SelectionTimer = new QTimer(this);
  SelectionTimer->setSingleShot(true);
  SelectionTimer->setInterval(0);
  connect(SelectionTimer, &QTimer::timeout, this, [this] { UpdateSelectionFrame(); });
  connect(ShockwaveFlash, &player::TFlashPlayer::MovieLoaded, this, [this] { ScheduleSelectionFrame(true); });
  connect(ShockwaveFlash, &player::TFlashPlayer::FrameChanged, this, [this] { ScheduleSelectionFrame(false); });
  // A click on the movie gives it the keys that nudge the selected object.
  ShockwaveFlash->setFocusPolicy(Qt::ClickFocus);
}

void TMainForm::ScheduleSelectionFrame(bool cardChanged) {
  if (cardChanged)
    BoundsObject.clear();
  SelectionTimer->start();
}

TFlashPic* TMainForm::CurrentPicture() const {
  if (!EditingCard() || G.CurrentObjKind != QLatin1String("Pic"))
    return nullptr;
  return dynamic_cast<TFlashPic*>(G.Context.EditingObject("Pic"));
}

void TMainForm::UpdateSelectionFrame() {
  std::optional<QRectF> outline;
  bool handles = false;
  try {
    outline = SelectedOutline(handles);
  } catch (const std::exception&) {
    // No outline is better than one in the wrong place.
  }
  if (outline && !outline->isEmpty() && !ShockwaveFlash->ShowsDragLayers())
    SelectionFrame->ShowOutline(*outline, handles);
  else
    SelectionFrame->HideOutline();
}

// A picture's outline is its own rectangle, where the handles act; a text's is what it draws
// at the frame shown.
std::optional<QRectF> TMainForm::SelectedOutline(bool& handles) {
  handles = false;
  const std::string name = EditingCard() ? CardHost->SelectedObject() : std::string();
  if (name.empty())
    return std::nullopt;
  const TStageView view = StageViewOf(*ShockwaveFlash);
  if (TFlashPic* picture = CurrentPicture()) {
    handles = true;
    const QRect stage = Resizing ? Resizing->Now : QRect(picture->PositionX, picture->PositionY, picture->Width, picture->Height);
    return view.ToWidget(stage);
  }
  if (G.CurrentObjKind != QLatin1String("Text") || !G.SwfMovie)
    return std::nullopt;
  if (BoundsObject != name) {
    const int index = G.FlashCard->ObjectIndex(name);
    if (index < 0)
      return std::nullopt;
    BoundsObject = name;
    SelectedBounds->Load(*G.FlashCard, *G.SwfMovie, index);
  }
  const qreal ratio = ShockwaveFlash->devicePixelRatio();
  const QRect pixels = SelectedBounds->BoundsAt(PreviewFrameNum(), ShockwaveFlash->size() * ratio);
  if (pixels.isEmpty())
    return std::nullopt;
  return QRectF(QPointF(pixels.topLeft()) / ratio, QSizeF(pixels.width(), pixels.height()) / ratio);
}

// ---- Handles ----

bool TMainForm::StartPictureResize(QPoint clientPoint) {
  TFlashPic* picture = CurrentPicture();
  if (!picture || !SelectionFrame->ShowsHandles())
    return false;
  const THandle handle = HandleAt(SelectionFrame->Outline(), ShockwaveFlash->mapFrom(Client, clientPoint));
  if (handle == THandle::None)
    return false;
  const QRect start(picture->PositionX, picture->PositionY, picture->Width, picture->Height);
  Resizing = TPictureResize{handle, start, clientPoint, start};
  return true;
}

void TMainForm::FollowPictureResize(QPoint clientPoint, bool keepProportions) {
  const double scale = StageViewOf(*ShockwaveFlash).Scale;
  const QPointF travel = QPointF(clientPoint - Resizing->From) / (scale > 0 ? scale : 1);
  Resizing->Now = ResizedRect(Resizing->Start, Resizing->Handle, travel.toPoint(), keepProportions);
  UpdateSelectionFrame();
}

// The new size lands as one edit: in the panel, the object and the card, then it renders.
void TMainForm::EndPictureResize(QPoint clientPoint, bool keepProportions) {
  FollowPictureResize(clientPoint, keepProportions);
  const QRect rect = Resizing->Now;
  const bool changed = rect != Resizing->Start;
  Resizing.reset();
  TFlashPic* picture = CurrentPicture();
  if (!changed || !picture)
    return;
  if (IPicturePanel* panel = G.Context.PicturePanel) {
    panel->SetUpdating(true);
    panel->SetEditPositionX(rect.x());
    panel->SetEditPositionY(rect.y());
    panel->SetEditWidth(rect.width());
    panel->SetEditHeight(rect.height());
    panel->SetUpdating(false);
  }
  picture->PositionX = rect.x();
  picture->PositionY = rect.y();
  picture->Width = rect.width();
  picture->Height = rect.height();
  picture->StoreInDocument();
  G.FlashCard->BuildMovie("", "");
}

void TMainForm::ShowHandleCursor(QPoint clientPoint) {
  const THandle handle = SelectionFrame->ShowsHandles()
                             ? HandleAt(SelectionFrame->Outline(), ShockwaveFlash->mapFrom(Client, clientPoint))
                             : THandle::None;
  if (handle != THandle::None)
    ShockwaveFlash->setCursor(HandleCursor(handle));
  else if (ShockwaveFlash->testAttribute(Qt::WA_SetCursor) && ShockwaveFlash->cursor().shape() != Qt::PointingHandCursor &&
           ShockwaveFlash->cursor().shape() != Qt::SizeAllCursor)
    ShockwaveFlash->unsetCursor();
}

// ---- Nudging ----

bool TMainForm::NudgeKey(const QKeyEvent& key) {
  QPoint step;
  switch (key.key()) {
  case Qt::Key_Left:
    step = {-1, 0};
    break;
  case Qt::Key_Right:
    step = {1, 0};
    break;
  case Qt::Key_Up:
    step = {0, -1};
    break;
  case Qt::Key_Down:
    step = {0, 1};
    break;
  default:
    return false;
  }
  const Qt::KeyboardModifiers others = key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (others != Qt::NoModifier || !EditingCard() || CardHost->SelectedObject().empty() ||
      (G.CurrentObjKind != QLatin1String("Text") && G.CurrentObjKind != QLatin1String("Pic")))
    return false;
  if (key.modifiers() & Qt::ShiftModifier)
    step *= 10;
  // The nudges that follow one another, with nothing else between, are one step to undo.
  TCardHistory& history = G.FlashCard->History();
  if (history.CurrentRun() != NudgeRun) {
    history.EndRun();
    NudgeRun = history.CurrentRun();
  }
  MoveCurrentObject(step);
  return true;
}
