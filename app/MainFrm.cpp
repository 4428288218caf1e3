// The main window's life: creation, the start-up document, closing, and the dispatch of
// the title bar's and the application's mouse events.
#include "app/MainFrm.h"
#include "player/widget/FlashPlayer.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>
#include <QWindow>

#include "app/DialogCentring.h"
#include "app/ErrorBox.h"
#include "app/FileDialogs.h"
#include "app/ImageBox.h"
#include "app/MainFormHost.h"
#include "app/ObjectBounds.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "app/UserQuestions.h"
#include "panels/MediaChooser.h"
#include "panels/PanelHost.h"
#include "panels/SoundFrm.h"
#include "panels/UiBitmaps.h"
#include "platform/SystemPaths.h"
#include "platform/WorkFolder.h"

TMainForm::TMainForm(const QStringList& arguments, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), Arguments(arguments),
      Dialogs(std::make_unique<TFileDialogs>()), Questions(std::make_unique<TUserQuestions>()) {
  setObjectName(QStringLiteral("MainForm"));
  CardHost = std::make_unique<TMainFormHost>(*this);
  SetPanelHost(CardHost.get());
  RegisterStandardToolWindows();
  BuildActions();
  BuildComponents();
  ConnectControls();
  BuildUndoActions();
  BuildMainMenu();
  SelectedBounds = std::make_unique<TObjectBounds>();
  BuildSelectionFrame();
  setMinimumSize(ConstrainOuterSize(QSize(0, 0)));
  setMaximumSize(ConstrainOuterSize(QSize(INT_MAX, INT_MAX)));
  resize(610 + 2 * BorderWidth, 439 + 2 * BorderWidth);
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  setMouseTracking(true);
  FormCreate();
  qApp->installEventFilter(this);
  new TDialogCentring(this);
  connect(qApp, &QGuiApplication::commitDataRequest, this, &TMainForm::CommitData);
  TimerTitle->start();
  TimerPlay->start();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  // Ended without a crash: nothing for a later start to offer.
  Closed = true;
  WriteRunState();
  // The card and the panels reach back into the window: they go first.
  DiscardCard();
  FreeToolWindows();
  TMediaChooser::ConnectMediaFolder({}, {});
  if (PanelHost() == CardHost.get())
    SetPanelHost(nullptr);
}

void TMainForm::SetFileDialogs(std::unique_ptr<TFileDialogs> dialogs) {
  Dialogs = std::move(dialogs);
}

void TMainForm::FormCreate() {
  G.AppTitle = QString::fromLatin1(ApplicationTitle);
  G.UntitledBasePath = Platform::UntitledBasePath();
  G.LastOpenDir = Platform::ProgramFolder() + QStringLiteral("/library");
  G.Context.WorkBasePath = G.UntitledBasePath.toStdString();
  G.Context.ProgramFolder = Platform::ProgramFolder().toStdString();
  G.Context.Preview = CardHost.get();
  G.Context.Messages = CardHost.get();
  G.Context.TellMissingMediaOnce = true;
  // The choosers of pictures and sounds start in, and update, the last media folder.
  TMediaChooser::ConnectMediaFolder([this] { return G.LastOpenDir; },
                                    [this](const QString& folder) { G.LastOpenDir = folder; });
  setWindowTitle(G.AppTitle);
  setWindowIcon(Ui::ProgramIcon());
}

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (Shown)
    return;
  Shown = true;
  RunCommand([this] { FormShow(); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  RunCommand([&] { mayClose = QuerySaveChanges(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  event->accept();
  Closed = true;
  WriteRunState();
}

void TMainForm::BtnMiniClick() { showMinimized(); }

void TMainForm::BtnCloseClick() { close(); }

void TMainForm::FileExitActExecute() { close(); }

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && G.FlashCard)
    G.FlashCard->History().EndRun();
  if (AltOpensMenu(event))
    return true;
  if (watched == ShockwaveFlash && event->type() == QEvent::Resize)
    ScheduleSelectionFrame(false);
  if (event->type() == QEvent::KeyPress &&
      (watched == ShockwaveFlash || (watched == this && !QApplication::focusWidget()))) {
    bool nudged = false;
    RunCommand([&] { nudged = NudgeKey(*static_cast<QKeyEvent*>(event)); });
    if (nudged)
      return true;
  }
  if (ApplicationEvents1Message(watched, event))
    return true;
  const bool titlePart = watched == ImgTitle || watched == Caption1 || watched == LabelHelp ||
                         watched == Label1 || watched == ImgTitleLine;
  if (titlePart && event->type() == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    ImgTitleMouseDown(mouse->button(), mouse->globalPosition().toPoint());
    return false;
  }
  if (titlePart && event->type() == QEvent::MouseMove) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (TitleDrag.Move(mouse->buttons(), mouse->globalPosition().toPoint()))
      if (QWindow* window = windowHandle())
        window->startSystemMove();
    return false;
  }
  if (titlePart && event->type() == QEvent::MouseButtonRelease)
    TitleDrag.Release();
  if (titlePart && watched != ImgTitleLine && event->type() == QEvent::MouseButtonDblClick) {
    ImgTitleDblClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
