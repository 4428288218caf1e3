// Building the main window's controls at their design places (client size 610 × 439).
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTimer>

#include "app/ErrorBox.h"
#include "app/ImageBox.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "app/PlaySlider.h"
#include "panels/UiBitmaps.h"
#include "player/widget/FlashPlayer.h"

namespace {

QWidget* MakePanel(QWidget* parent, const char* name, QRect geometry, QColor colour) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(geometry);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  return panel;
}

// The font of the title texts: a 12-pixel song-style face for Chinese titles, falling back
// to the sans faces found on this system.
QFont TitleFont(bool bold) {
  QFont font;
  font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("DejaVu Sans")});
  font.setPixelSize(12);
  font.setBold(bold);
  return font;
}

QLabel* MakeTitleLabel(QWidget* parent, const char* name, const QString& text, QPoint at,
                       bool bold, QColor colour) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(TitleFont(bold));
  label->setAttribute(Qt::WA_TranslucentBackground);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->move(at);
  label->adjustSize();
  return label;
}

// A thin engraved line: a dark stroke beside a light one.
QPixmap SeparatorPicture(QSize size, QColor dark, QColor light) {
  QPixmap picture(size);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  if (size.width() >= 2) {
    int x = size.width() / 2 - 1;
    painter.fillRect(x, 0, 1, size.height(), dark);
    painter.fillRect(x + 1, 0, 1, size.height(), light);
  } else {
    QLinearGradient fade(0, 0, 0, size.height());
    fade.setColorAt(0, QColor(dark.red(), dark.green(), dark.blue(), 0));
    fade.setColorAt(0.5, dark);
    fade.setColorAt(1, QColor(dark.red(), dark.green(), dark.blue(), 0));
    painter.fillRect(picture.rect(), fade);
  }
  return picture;
}

} // namespace

void TMainForm::BuildComponents() {
  Client = new QWidget(this);
  Client->setObjectName(QStringLiteral("Client"));
  Client->setGeometry(BorderWidth, BorderWidth, 610, 439);
  // Where the preview area is hidden (the closed state) the window shows a plain face, not
  // the colour of the sizing border painted behind the client area.
  Client->setAutoFillBackground(true);
  BuildTitleBar();
  BuildToolBar();
  BuildPanels();
  BuildMenus();

  TimerTitle = new QTimer(this);
  TimerTitle->setObjectName(QStringLiteral("TimerTitle"));
  TimerTitle->setInterval(100);
  TimerPlay = new QTimer(this);
  TimerPlay->setObjectName(QStringLiteral("TimerPlay"));
  TimerPlay->setInterval(100);
}

void TMainForm::BuildTitleBar() {
  PanelTop = MakePanel(Client, "PanelTop", QRect(0, 0, 610, 83), QColor(192, 220, 192));
  ImgTitle = new TImage(PanelTop, QStringLiteral("ImgTitle"));
  ImgTitle->setGeometry(0, 0, 610, 29);
  ImgHead = new TImage(PanelTop, QStringLiteral("ImgHead"));
  ImgHead->setGeometry(0, 29, 610, 54);

  Label1 = MakeTitleLabel(PanelTop, "Label1", QStringLiteral("3.0"), QPoint(84, 10), true,
                          Qt::white);
  Caption1 = MakeTitleLabel(PanelTop, "Caption1", QString(), QPoint(109, 10), false,
                            QColor(255, 246, 230));
  Caption1->resize(300, Label1->height());
  LabelHelp = MakeTitleLabel(PanelTop, "LabelHelp", QStringLiteral("Help"), QPoint(0, 8), false,
                             Qt::white);
  ImgTitleLine = new TImage(PanelTop, QStringLiteral("ImgTitleLine"));
  ImgTitleLine->setGeometry(0, 4, 4, 21);
  ImgTitleLine->SetPicture(SeparatorPicture(QSize(4, 21), QColor(176, 62, 36), QColor(255, 190, 150)));

  ImageList10 = TImageList::TitleButton(QStringLiteral("help"));
  ImageList11 = TImageList::TitleButton(QStringLiteral("minimize"));
  ImageList9 = TImageList::TitleButton(QStringLiteral("close"));
  BtnHelp = new TPictureButton(PanelTop, QStringLiteral("BtnHelp"), QSize(20, 20),
                               QStringLiteral("Help"));
  BtnHelp->SetImageList(ImageList10);
  BtnMini = new TPictureButton(PanelTop, QStringLiteral("BtnMini"), QSize(20, 20),
                               QStringLiteral("Minimize"));
  BtnMini->SetImageList(ImageList11);
  BtnClose = new TPictureButton(PanelTop, QStringLiteral("BtnClose"), QSize(20, 20),
                                QStringLiteral("Close"));
  BtnClose->SetImageList(ImageList9);
  for (TPictureButton* button : {BtnHelp, BtnMini, BtnClose})
    button->move(button->x(), 4);

  ImgTitle->SetPicture(Ui::Bitmap(QStringLiteral("title")));
  ImgHead->SetPicture(Ui::Bitmap(QStringLiteral("head")));
}

void TMainForm::BuildToolBar() {
  struct TButtonPlace {
    TPictureButton** Button;
    const char* Name;
    const char* Hint;
    TImageList* Images;
    const char* Glyph;
    QPoint At;
  };
  // Each button gets its picture list (drawn from its glyph) and its place on the top panel.
  const auto placeButtons = [this](std::initializer_list<TButtonPlace> places, QSize size,
                                   TImageList (*makeImages)(const QString& glyph)) {
    for (const TButtonPlace& place : places) {
      *place.Images = makeImages(QString::fromLatin1(place.Glyph));
      *place.Button = new TPictureButton(PanelTop, QString::fromLatin1(place.Name), size,
                                         QString::fromLatin1(place.Hint));
      (*place.Button)->move(place.At);
      (*place.Button)->SetImageList(*place.Images);
    }
  };
  placeButtons({{&BtnNew, "BtnNew", "New", &ImageList1, "new", {5, 34}},
                {&BtnOpen, "BtnOpen", "Open", &ImageList3, "open", {55, 35}},
                {&BtnSave, "BtnSave", "Save", &ImageList2, "save", {103, 34}},
                {&BtnBackground, "BtnBackground", "Background", &ImageList4, "background", {157, 34}},
                {&BtnText, "BtnText", "Insert Text", &ImageList5, "text", {211, 34}},
                {&BtnPicture, "BtnPicture", "Insert Picture", &ImageList6, "picture", {262, 34}},
                {&BtnSound, "BtnSound", "Insert Sound", &ImageList7, "sound", {311, 34}}},
               QSize(40, 40), &TImageList::ToolButton);

  QPixmap groupLine = SeparatorPicture(QSize(1, 40), QColor(224, 160, 110), Qt::white);
  Image1 = new TImage(PanelTop, QStringLiteral("Image1"));
  Image1->setGeometry(149, 35, 1, 40);
  Image1->SetPicture(groupLine);
  Image2 = new TImage(PanelTop, QStringLiteral("Image2"));
  Image2->setGeometry(204, 34, 1, 40);
  Image2->SetPicture(groupLine);

  ImageList8 = TImageList::LoopButton(false);
  ImageList17 = TImageList::LoopButton(true);
  BtnLoop = new TPictureButton(PanelTop, QStringLiteral("BtnLoop"), QSize(35, 18),
                               QStringLiteral("Loop"));
  BtnLoop->move(396, 52);
  BtnLoop->SetImageList(ImageList8);

  placeButtons({{&BtnPlay, "BtnPlay", "Play", &ImageList12, "play", {435, 46}},
                {&BtnPause, "BtnPause", "Pause", &ImageList13, "pause", {465, 46}},
                {&BtnStop, "BtnStop", "Stop", &ImageList14, "stop", {495, 46}},
                {&BtnBackward, "BtnBackward", "Backward", &ImageList15, "backward", {525, 46}},
                {&BtnForward, "BtnForward", "Forward", &ImageList16, "forward", {555, 46}}},
               QSize(29, 29), &TImageList::PlayerButton);
  BtnSave->setContextMenuPolicy(Qt::CustomContextMenu);
}

void TMainForm::BuildPanels() {
  PanelLeft = MakePanel(Client, "PanelLeft", QRect(0, 83, 195, 356), QColor(160, 160, 164));
  ImgLeft = new TImage(PanelLeft, QStringLiteral("ImgLeft"), true);
  ImgLeft->setGeometry(PanelLeft->rect());
  ImgLeft->SetPicture(Ui::Bitmap(QStringLiteral("left")));

  PanelMain = MakePanel(Client, "PanelMain", QRect(195, 83, 415, 356), QColor(255, 255, 255));
  ShockwaveFlash = new player::TFlashPlayer(PanelMain);
  ShockwaveFlash->setObjectName(QStringLiteral("ShockwaveFlash"));
  ShockwaveFlash->setGeometry(0, 0, 415, 338);
  // Stored settings of the control: neither playing nor looping until told.
  ShockwaveFlash->SetLoop(false);
  ShockwaveFlash->SetPlaying(false);
  Panel1 = MakePanel(PanelMain, "Panel1", QRect(0, 338, 415, 18), QColor(240, 240, 240));
  SliderPlay = new TPlaySlider(Panel1, QStringLiteral("SliderPlay"));
  SliderPlay->setGeometry(Panel1->rect());

  // The library's place lies over the bottom of the left column.
  PanelObj = MakePanel(Client, "PanelObj", QRect(7, 283, 173, 140), QColor(200, 228, 169));
  PanelObj->raise();
}

void TMainForm::BuildMenus() {
  PopupMenu = new QMenu(this);
  PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
  LoopPopupMenuItem = PopupMenu->addAction(QStringLiteral("&Loop"));
  LoopPopupMenuItem->setObjectName(QStringLiteral("LoopPopupMenuItem"));
  LoopPopupMenuItem->setCheckable(true);
  LoopPopupMenuItem->setChecked(true);
  N5 = PopupMenu->addSeparator();
  N5->setObjectName(QStringLiteral("N5"));
  AboutPopupMenuItem = PopupMenu->addAction(QStringLiteral("&About"));
  AboutPopupMenuItem->setObjectName(QStringLiteral("AboutPopupMenuItem"));

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  SwfToExe = PopupMenu1->addAction(QStringLiteral("Convert SWF to EXE"));
  SwfToExe->setObjectName(QStringLiteral("SwfToExe"));
  ExeToSwf = PopupMenu1->addAction(QStringLiteral("Convert EXE to SWF"));
  ExeToSwf->setObjectName(QStringLiteral("ExeToSwf"));
  MakeCardsForList = PopupMenu1->addAction(QStringLiteral("Make Cards for a List\u2026"));
  MakeCardsForList->setObjectName(QStringLiteral("MakeCardsForList"));
  SetAsScreenSaverItem = PopupMenu1->addAction(QStringLiteral("Set as Screen Saver"));
  SetAsScreenSaverItem->setObjectName(QStringLiteral("SetAsScreenSaver"));
  BuildExportMenuItems();
}

void TMainForm::BuildActions() {
  auto make = [this](QAction*& action, const char* name) {
    action = new QAction(QString::fromLatin1(name), this);
    action->setObjectName(QString::fromLatin1(name));
  };
  make(FileNewAct, "FileNewAct");
  make(FileOpenAct, "FileOpenAct");
  make(FileCloseAct, "FileCloseAct");
  make(FileSaveAct, "FileSaveAct");
  make(FileSaveAsAct, "FileSaveAsAct");
  make(FileExportAsSwfAct, "FileExportAsSwfAct");
  make(FileSetAsScreenSaverAct, "FileSetAsScreenSaverAct");
  make(FileSwfToExeAct, "FileSwfToExeAct");
  make(FileExeToSwfAct, "FileExeToSwfAct");
  make(FileExitAct, "FileExitAct");
  make(EditBgAct, "EditBgAct");
  make(EditTextAct, "EditTextAct");
  make(EditPictureAct, "EditPictureAct");
  make(EditSoundAct, "EditSoundAct");
  make(ControlPlayAct, "ControlPlayAct");
  make(ControlPauseAct, "ControlPauseAct");
  make(ControlStopAct, "ControlStopAct");
  make(ControlForwardAct, "ControlForwardAct");
  make(ControlBackwardAct, "ControlBackwardAct");
  make(ControlLoopAct, "ControlLoopAct");
  make(ViewFullScreenAct, "ViewFullScreenAct");
  make(ViewPreviewAct, "ViewPreviewAct");
  make(InsertTextAct, "InsertTextAct");
  make(InsertPictureAct, "InsertPictureAct");
  make(InsertSoundAct, "InsertSoundAct");
  make(WindowLibraryAct, "WindowLibraryAct");
  make(WindowShowAct, "WindowShowAct");
  make(HelpContentsAct, "HelpContentsAct");
  make(HelpFaqAct, "HelpFaqAct");
  make(HelpAboutAct, "HelpAboutAct");
  make(HelpVisitPlumeworksAct, "HelpVisitPlumeworksAct");
  make(HelpVisitForumAct, "HelpVisitForumAct");
  // New and Save carry their command from here (Save As and the "Save changes?" question
  // execute Save through its action, so a disabled Save does nothing); the main menu gives
  // the others theirs. All are switched on and off with the window's state.
  connect(FileNewAct, &QAction::triggered, this, [this] { FileNewActExecute(); });
  connect(FileSaveAct, &QAction::triggered, this, [this] { FileSaveActExecute(); });
}

// Every control runs its command under the error guard: an error reaches the error box
// and the window goes on.
void TMainForm::ConnectControls() {
  auto wire = [this](QAbstractButton* button, void (TMainForm::*handler)()) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  };
  auto wireItem = [this](QAction* item, void (TMainForm::*handler)()) {
    connect(item, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
  };
  wire(BtnNew, &TMainForm::FileNewActExecute);
  wire(BtnOpen, &TMainForm::FileOpenActExecute);
  wire(BtnSave, &TMainForm::FileSaveActExecute);
  wire(BtnBackground, &TMainForm::EditBgActExecute);
  wire(BtnText, &TMainForm::InsertTextActExecute);
  wire(BtnPicture, &TMainForm::InsertPictureActExecute);
  wire(BtnSound, &TMainForm::InsertSoundActExecute);
  wire(BtnLoop, &TMainForm::ControlLoopActExecute);
  wire(BtnPlay, &TMainForm::ControlPlayActExecute);
  wire(BtnPause, &TMainForm::ControlPauseActExecute);
  wire(BtnStop, &TMainForm::ControlStopActExecute);
  wire(BtnBackward, &TMainForm::ControlBackwardActExecute);
  wire(BtnForward, &TMainForm::ControlForwardActExecute);
  wire(BtnHelp, &TMainForm::HelpContentsActExecute);
  wire(BtnMini, &TMainForm::BtnMiniClick);
  wire(BtnClose, &TMainForm::BtnCloseClick);
  wireItem(LoopPopupMenuItem, &TMainForm::ControlLoopActExecute);
  wireItem(AboutPopupMenuItem, &TMainForm::HelpAboutActExecute);
  wireItem(SwfToExe, &TMainForm::FileSwfToExeActExecute);
  wireItem(ExeToSwf, &TMainForm::FileExeToSwfActExecute);
  wireItem(MakeCardsForList, &TMainForm::FileMakeCardsForListActExecute);
  wireItem(SetAsScreenSaverItem, &TMainForm::FileSetAsScreenSaverActExecute);
  wireItem(ExportVideo, &TMainForm::FileExportVideoActExecute);
  wireItem(ExportGif, &TMainForm::FileExportGifActExecute);
  wireItem(ExportWebPage, &TMainForm::FileExportWebPageActExecute);
  connect(BtnSave, &QWidget::customContextMenuRequested, this,
          [this](QPoint at) { PopupMenu1->popup(BtnSave->mapToGlobal(at)); });
  connect(SliderPlay, &TPlaySlider::MouseDown, this, [this] { SliderPlayMouseDown(); });
  connect(SliderPlay, &TPlaySlider::MouseUp, this, [this] { SliderPlayMouseUp(); });
  connect(TimerTitle, &QTimer::timeout, this, &TMainForm::TimerTitleTimer);
  connect(TimerPlay, &QTimer::timeout, this, &TMainForm::TimerPlayTimer);

  for (QWidget* part : std::initializer_list<QWidget*>{ImgTitle, Caption1, LabelHelp, Label1,
                                                       ImgTitleLine})
    part->installEventFilter(this);
}
