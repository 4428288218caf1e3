// The main window: the painted title bar and toolbar, the docking places of the tool
// windows, the preview with its slider, and every command of the editor.
//
// The window is frameless; a four-pixel sizing border surrounds the client area `Client`,
// and all positions below are client coordinates. The implementation is split by concern:
// MainFrmComponents (building the controls), MainFrmLayout (resize, size limits, full
// screen), MainFrmStates (tool windows and the three window states), MainFrmPreview (the
// player commands and the slider), MainFrmFile (New, Open, Save, Export, Close) and
// MainFrmTitle (title bar, caption, mouse over the preview, help, About) and MainFrmMenu
// (the main menu, its keys and the recent cards).
#pragma once

#include <QStringList>
#include <QWidget>
#include <memory>
#include <optional>

#include "app/GlobalUnit.h"
#include "app/ImageList.h"
#include "app/PictureHandles.h"
#include "app/TitleDrag.h"
#include "platform/WorkFolder.h"
#include "panels/GuideFrm.h"
#include "panels/ToolWindows.h"

class QAction;
class QLabel;
class QMenu;
class QTimer;
class TImage;
class TFlashPic;
class TObjectBounds;
class TSelectionFrame;
class QKeyEvent;
class TPictureButton;
class TPlaySlider;
class TFileDialogs;
class TMainFormHost;
class TUserQuestions;
class QSessionManager;

namespace player {
class TFlashPlayer;
}

// The player's movie property when no movie is loaded.
inline constexpr const char* NoMovie = "http://";

// The help page beside the program.
QString HelpFileName();
// What the Help button says when no browser could show the page.
QString HelpUnreachableText(const QString& helpFile);

class TMainForm : public QWidget {
  Q_OBJECT
public:
  // arguments: the command line after the program name; the first one chooses the
  // document shown at start-up.
  explicit TMainForm(const QStringList& arguments = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  TGlobal& Global() { return G; }
  // Where Open, Save and Export ask for file names (tests answer without a dialog).
  void SetFileDialogs(std::unique_ptr<TFileDialogs> dialogs);
  TFileDialogs& FileDialogs() { return *Dialogs; }
  // Where the editor asks before it could lose work (tests answer without a box).
  void SetQuestions(std::unique_ptr<TUserQuestions> questions);
  // What the card and the panels call back into.
  TMainFormHost& Host() { return *CardHost; }

  // The template files beside the program: the one at the guide's choice (the blank card
  // for a choice beyond the catalogue), and where the guide finds them and their pictures.
  static QString TemplateFile(int guideResult);
  static TGuideSources GuideSources();

  // Client area: the window less its sizing border.
  static constexpr int BorderWidth = 4;
  QSize ClientSize() const;
  void SetClientSize(int width, int height);
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  // The window's own size limits, applied to a proposed outer size.
  static QSize ConstrainOuterSize(QSize proposed);
  bool BorderSizeable() const { return Sizeable; }

  // ---- Components ----
  QWidget* Client = nullptr;
  QWidget* PanelTop = nullptr;
  TImage* ImgTitle = nullptr;
  TImage* ImgHead = nullptr;
  TImage* Image1 = nullptr;
  TImage* Image2 = nullptr;
  QLabel* Caption1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* LabelHelp = nullptr;
  TImage* ImgTitleLine = nullptr;
  TPictureButton* BtnHelp = nullptr;
  TPictureButton* BtnMini = nullptr;
  TPictureButton* BtnClose = nullptr;
  TPictureButton* BtnNew = nullptr;
  TPictureButton* BtnOpen = nullptr;
  TPictureButton* BtnSave = nullptr;
  TPictureButton* BtnBackground = nullptr;
  TPictureButton* BtnText = nullptr;
  TPictureButton* BtnPicture = nullptr;
  TPictureButton* BtnSound = nullptr;
  TPictureButton* BtnLoop = nullptr;
  TPictureButton* BtnPlay = nullptr;
  TPictureButton* BtnPause = nullptr;
  TPictureButton* BtnStop = nullptr;
  TPictureButton* BtnBackward = nullptr;
  TPictureButton* BtnForward = nullptr;
  QWidget* PanelLeft = nullptr;
  TImage* ImgLeft = nullptr;
  QWidget* PanelObj = nullptr;
  QWidget* PanelMain = nullptr;
  player::TFlashPlayer* ShockwaveFlash = nullptr;
  QWidget* Panel1 = nullptr;
  TPlaySlider* SliderPlay = nullptr;

  QMenu* PopupMenu = nullptr;
  QAction* LoopPopupMenuItem = nullptr;
  QAction* N5 = nullptr;
  QAction* AboutPopupMenuItem = nullptr;
  QAction* N6 = nullptr; // after Undo and Redo
  QMenu* PopupMenu1 = nullptr;
  QAction* SwfToExe = nullptr;
  QAction* MakeCardsForList = nullptr;
  QAction* SetAsScreenSaverItem = nullptr;
  QAction* ExeToSwf = nullptr;
  QAction* ExportVideo = nullptr;
  QAction* ExportGif = nullptr;
  QAction* ExportWebPage = nullptr;

  QTimer* TimerTitle = nullptr;
  QTimer* TimerPlay = nullptr;

  // ---- Actions ----
  QAction *FileNewAct, *FileOpenAct, *FileCloseAct, *FileSaveAct, *FileSaveAsAct,
      *FileExportAsSwfAct, *FileSetAsScreenSaverAct, *FileSwfToExeAct, *FileExeToSwfAct,
      *FileExitAct;
  QAction *EditBgAct, *EditTextAct, *EditPictureAct, *EditSoundAct;
  QAction *ControlPlayAct, *ControlPauseAct, *ControlStopAct, *ControlForwardAct,
      *ControlBackwardAct, *ControlLoopAct;
  QAction *ViewFullScreenAct, *ViewPreviewAct;
  QAction *InsertTextAct, *InsertPictureAct, *InsertSoundAct;
  QAction *WindowLibraryAct, *WindowShowAct;
  QAction *HelpContentsAct, *HelpFaqAct, *HelpAboutAct, *HelpVisitPlumeworksAct,
      *HelpVisitForumAct;
  // "Undo <what>" and "Redo <what>": Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y, and the first entries
  // of the preview's menu.
  QAction *EditUndoAct = nullptr, *EditRedoAct = nullptr;

  // ---- Main menu (MainFrmMenu) ----
  TPictureButton* BtnMenu = nullptr;
  TImageList ImageList18;
  QMenu* MainMenu = nullptr;
  QMenu* RecentMenu = nullptr;
  QAction *FileExportVideoAct = nullptr, *FileExportGifAct = nullptr, *FileExportWebPageAct = nullptr,
          *FileExportPictureAct = nullptr;
  QAction *EditCutAct = nullptr, *EditCopyAct = nullptr, *EditPasteAct = nullptr, *EditDuplicateAct = nullptr,
          *EditDeleteAct = nullptr;
  QAction* MainMenuAct = nullptr; // F10
  // Opens the main menu under its button; from the keyboard with its first entry marked.
  void OpenMainMenu(bool fromKeyboard);

  // ---- Image lists of the picture buttons ----
  TImageList ImageList1, ImageList2, ImageList3, ImageList4, ImageList5, ImageList6,
      ImageList7, ImageList8, ImageList9, ImageList10, ImageList11, ImageList12, ImageList13,
      ImageList14, ImageList15, ImageList16, ImageList17;

  // ---- UI state operations (the card switches the window's state through these) ----
  void FreeToolWindows();
  void CreateToolWindows();
  void DisablePlayControls();
  void EnablePlayControls();
  void DisableEditControls();
  void EnableEditControls();
  // The stored loop flag: the enabled state of ControlLoopAct.
  bool StoredLoop() const;
  void SetStoredLoop(bool on);
  // Shows or hides the preview area (PanelMain).
  void SetPreviewVisible(bool visible);
  // The loop button's pictures and the popup item's check mark for looping on or off.
  void ShowLoopState(bool on);

  // Whether the open card holds what its file lacks: an edit since it was opened or saved,
  // or, for a card never saved, any object. Edits still waiting in a panel land first.
  bool CardModified();
  // Before the card is discarded: asks "Save changes to <name>?" when it is modified.
  // False when the user cancels or the save does not happen; the card then stays.
  bool QuerySaveChanges();
  // The session ends: true when the user cancels that (only when asking is allowed).
  bool SessionEndCancelled(bool mayAsk);
  // Offers the cards of crashed runs, one at a time, until one is restored.
  void OfferRecovery();
  // Writes what a later start needs to know about this run's card into the working folder.
  void WriteRunState();

  // The caption that TimerTitleTimer shows for the given document and frame figures; a
  // modified card's name carries a "*".
  static QString CaptionText(const QString& appTitle, const QString& documentName,
                             int frameNum, int totalFrames, bool modified = false);

public slots:
  // Window
  void FormCreate();
  void FormShow();
  void FormResize();
  void BtnMiniClick();
  void BtnCloseClick();
  void FileExitActExecute();
  void EditBgActExecute();
  void WindowLibraryActExecute();
  void WindowShowActExecute();
  void ViewFullScreenActExecute();
  // File
  void FileNewActExecute();
  void FileOpenActExecute();
  void FileSaveActExecute();
  void FileSaveAsActExecute();
  void FileExportAsSwfActExecute();
  void FileCloseActExecute();
  void FileSetAsScreenSaverActExecute();
  void FileSwfToExeActExecute();
  void FileExeToSwfActExecute();
  void FileMakeCardsForListActExecute();
  // Export of a video, an animated picture or a web page (MainFrmExport).
  void FileExportVideoActExecute();
  void FileExportGifActExecute();
  void FileExportWebPageActExecute();
  void FileExportPictureActExecute();
  // Insert
  void InsertTextActExecute();
  void InsertPictureActExecute();
  void InsertSoundActExecute();
  // Preview
  void ControlPlayActExecute();
  void ControlPauseActExecute();
  void ControlStopActExecute();
  void ControlForwardActExecute();
  void ControlBackwardActExecute();
  void ControlLoopActExecute();
  void ViewPreviewActExecute();
  void SliderPlayMouseDown();
  void SliderPlayMouseUp();
  void TimerPlayTimer();
  // Title bar, caption, help
  // Arms a window move that the pointer's travel starts (TTitleDrag).
  void ImgTitleMouseDown(Qt::MouseButton button, QPoint globalPoint);
  void ImgTitleDblClick();
  void TimerTitleTimer();
  void HelpContentsActExecute();
  void HelpFaqActExecute();
  void HelpAboutActExecute();
  void HelpVisitPlumeworksActExecute();
  void HelpVisitForumActExecute();
  // Undo and redo
  void EditUndoActExecute();
  void EditRedoActExecute();
  void EditDeleteActExecute();
  // Clipboard (MainFrmClipboard)
  void EditCutActExecute();
  void EditCopyActExecute();
  void EditPasteActExecute();
  void EditDuplicateActExecute();

public:
  // The application's message hook: sees every event before it is delivered. True marks
  // it handled.
  bool ApplicationEvents1Message(QObject* receiver, QEvent* event);
  // Whether a client point lies inside the preview (PanelMain, strictly inside its edges).
  bool InsidePreview(QPoint clientPoint) const;
  // While the selected object is dragged on the preview, it follows the pointer.
  void ShowDragLayers();
  void FollowDrag(QPoint clientPoint);
  // Puts Qt's idea of the window's place right when the pointer shows it differs.
  void FollowServerPosition(const class QMouseEvent& mouse);

  // ---- The selected object on the preview (MainFrmSelection) ----
  TSelectionFrame* SelectionFrame = nullptr;
  // The outline follows the selection, the frame shown and (cardChanged) a new render.
  void ScheduleSelectionFrame(bool cardChanged);
  void UpdateSelectionFrame();
  // An arrow key moves the selected text or picture 1 pixel (with Shift 10); true when it did.
  bool NudgeKey(const QKeyEvent& key);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

private:
  void BuildComponents();
  void BuildTitleBar();
  void BuildToolBar();
  void BuildPanels();
  void BuildMenus();
  void BuildActions();
  void BuildUndoActions();
  void BuildMainMenu();
  // The menu entries whose use depends on what is open.
  void UpdateMenuStates();
  void FillRecentMenu();
  // The selected object as the clipboard carries it (empty when none is selected).
  std::string SelectedObjectXml();
  // Appends a copied object to the card as a new one and selects it.
  void PasteObjectXml(const std::string& xml);
  // An object of ours or words to paste as a text.
  bool ClipboardHoldsObject() const;
  bool AltOpensMenu(QEvent* event);
  // Opens a card for editing or a movie for playing, as Open does with the chosen file.
  void OpenFile(const QString& name);
  // The undo entries follow the card's history: their words and whether there is a step.
  void UpdateUndoActions();
  // Undo (back) or redo one step of the card's history.
  void StepHistory(bool back);
  void ConnectHistory();
  void CommitData(QSessionManager& manager);
  void RestoreCard(const Platform::TRecoverableCard& found);
  void ConnectControls();
  void AlignPanels();
  // Places the client area inside the sizing border (none in full screen), then lays it out.
  void LayoutClient();
  void RepaintPlayer();
  Qt::Edges BorderEdgesAt(QPoint point) const;
  void MoveDockedPanelParts();
  // The resize's card step: in Edit state the stage takes the preview area's size and the
  // card renders again. Errors end it silently.
  void ResizeCard(int stageWidth, int stageHeight);
  QPointer<QWidget>& ToolWindow(TToolWindowKind kind);
  // The card and the player as the title, caption and mouse handling read them.
  bool HasCard() const;
  bool EditingCard() const; // a card exists and its mode is "Edit"
  QString CardPath() const;
  QString DocumentName() const;
  QString PreviewMovie() const;
  int PreviewFrameNum() const;
  int PreviewTotalFrames() const;
  void PreviewDragStep(bool pressed, QPoint clientPoint);
  void BuildSelectionFrame();
  // The selected picture's editing object, when a picture is selected in Edit state.
  TFlashPic* CurrentPicture() const;
  // The selected object's outline in the player's pixels; `handles` for a picture.
  std::optional<QRectF> SelectedOutline(bool& handles);
  // A press on a handle of the selected picture starts its resize (true then); the moves
  // show the new rectangle and the release gives it to the picture.
  bool StartPictureResize(QPoint clientPoint);
  void FollowPictureResize(QPoint clientPoint, bool keepProportions);
  void EndPictureResize(QPoint clientPoint, bool keepProportions);
  void ShowHandleCursor(QPoint clientPoint);
  // Moves the current text or picture by a distance in stage pixels, in its panel, its
  // object and the card document, then renders the card.
  void MoveCurrentObject(QPoint distance);
  // Discards the open card and makes a new one with the defaults.
  TFlashCard& NewCard();
  void DiscardCard();
  void CreateBuilderObjects();
  // Opens a movie for playing, or a card for editing ("Play" or "Edit" state).
  void PlayMovie(const QString& swfFile);
  void EditCard(const QString& projectFile);
  // The card's switch to Edit state, with its first render made true to the card's own
  // length (see MainFrmCard).
  void EnterEditMode(TFlashCard& card);
  // Save's copies of the working files to where the card is kept; false after an error
  // the user has been told about.
  bool CopyToCardPath(const std::string& workFile, const QString& extension);
  // Save's copy of the working project file, with the card's media paths as it keeps them.
  bool SaveCardFile(const std::string& workFile);
  // Asks for the card file's missing media; true when some were found (the card then opens
  // from a copy naming them).
  bool RelinkMissingMedia(TFlashCard& card, const QString& projectFile);
  // Where the Save and Export dialogs open: the folder of the card's file or of the played
  // movie; for a card never saved (and Save As), the folder of the last card opened or
  // saved, else the home folder.
  QString SaveFolder() const;
  // A card in Edit state or a movie in Play state can be exported.
  bool CanExport() const;
  // Asks for a target (the extension picks the format) and exports with a progress dialog.
  void ExportMovieAs(const QString& filter, const QStringList& extensions);
  void BuildExportMenuItems();
  // A right press on the disabled Save button in Play state opens its popup; true then.
  bool OpenSavePopupAt(QPoint clientPoint, QPoint screenPoint);

  TGlobal G;
  std::unique_ptr<TMainFormHost> CardHost;
  QStringList Arguments;
  std::unique_ptr<TFileDialogs> Dialogs;
  std::unique_ptr<TUserQuestions> Questions;
  bool Shown = false;
  bool Sizeable = true;
  TTitleDrag TitleDrag;
  bool GuideOpen = false;
  bool AltAlone = false; // Alt is down with no other key or press since
  QString LastCardFolder; // of the last card opened or saved in this run

  // The window has closed: what the card holds was kept or let go on purpose.
  bool Closed = false;
  // The card path and changed flag last written to the working folder's record.
  std::pair<QString, bool> WrittenRunState{QStringLiteral("\n"), false};
  // The selection's outline: coalesced updates, and the object alone rendered for a text's
  // bounds (BoundsObject names the object it holds; empty: none).
  QTimer* SelectionTimer = nullptr;
  std::unique_ptr<TObjectBounds> SelectedBounds;
  std::string BoundsObject;
  struct TPictureResize {
    THandle Handle;
    QRect Start; // stage pixels
    QPoint From; // client point of the press
    QRect Now;
  };
  std::optional<TPictureResize> Resizing;
  int NudgeRun = -1; // the history's run of the last nudge
  // Set while the full-screen view switches on or off.
  bool SwitchingScreen = false;
  // The card's stage size when the window was maximised: restoring the window gives it back.
  std::optional<QSize> StageBeforeMaximise;
  // The stage the preview area of this client size stands for (nothing: the card keeps its own).
  std::optional<QSize> StageForClientSize(QSize client);
};
