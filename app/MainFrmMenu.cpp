// The main menu of the title strip: File, Edit, Insert and Help with the keys every desktop
// editor has, opened by its button beside the caption, by Alt alone or by F10; and the list
// of the cards opened or saved last.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>

#include "app/ErrorBox.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "app/RecentCards.h"
#include "panels/ObjListFrm.h"

namespace {

// A file or folder name shown as a menu entry: '&' would mark a key.
QString Literal(QString text) { return text.replace(QLatin1Char('&'), QStringLiteral("&&")); }

// The folder of a recent card as its entry shows it: the home folder as "~", a long path
// shortened in the middle.
QString ShownFolder(const QString& card, const QFontMetrics& metrics) {
  QString folder = QDir::toNativeSeparators(QFileInfo(card).absolutePath());
  const QString home = QDir::toNativeSeparators(QDir::homePath());
  if (folder == home || folder.startsWith(home + QDir::separator()))
    folder = QStringLiteral("~") + folder.mid(home.size());
  return metrics.elidedText(folder, Qt::ElideMiddle, 320);
}

} // namespace

void TMainForm::BuildMainMenu() {
  ImageList18 = TImageList::TitleButton(QStringLiteral("menu"));
  BtnMenu = new TPictureButton(PanelTop, QStringLiteral("BtnMenu"), QSize(20, 20), QStringLiteral("Menu (Alt)"));
  BtnMenu->SetImageList(ImageList18);
  // Between the program's name and the caption, which moves over to make room.
  BtnMenu->move(Label1->geometry().right() + 4, 4);
  Caption1->move(BtnMenu->geometry().right() + 4, Caption1->y());

  auto command = [this](QAction* action, const QString& text, void (TMainForm::*handler)(),
                        const QKeySequence& keys = {}) {
    action->setText(text);
    if (!keys.isEmpty())
      action->setShortcut(keys);
    if (handler)
      connect(action, &QAction::triggered, this, [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
  };
  auto make = [this](QAction*& action, const char* name) {
    action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };

  MainMenu = new QMenu(this);
  MainMenu->setObjectName(QStringLiteral("MainMenu"));

  QMenu* file = MainMenu->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("FileMenu"));
  // New and Save run through their actions already.
  file->addAction(command(FileNewAct, QStringLiteral("&New\u2026"), nullptr, QKeySequence::New));
  file->addAction(command(FileOpenAct, QStringLiteral("&Open\u2026"), &TMainForm::FileOpenActExecute, QKeySequence::Open));
  RecentMenu = file->addMenu(QStringLiteral("&Recent Cards"));
  RecentMenu->setObjectName(QStringLiteral("RecentMenu"));
  connect(RecentMenu, &QMenu::aboutToShow, this, &TMainForm::FillRecentMenu);
  file->addSeparator();
  file->addAction(command(FileSaveAct, QStringLiteral("&Save"), nullptr, QKeySequence::Save));
  file->addAction(command(FileSaveAsAct, QStringLiteral("Save &As\u2026"), &TMainForm::FileSaveAsActExecute,
                          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
  QMenu* exports = file->addMenu(QStringLiteral("&Export"));
  exports->setObjectName(QStringLiteral("ExportMenu"));
  exports->addAction(command(make(FileExportVideoAct, "FileExportVideoAct"), QStringLiteral("&Video\u2026"),
                             &TMainForm::FileExportVideoActExecute, QKeySequence(Qt::CTRL | Qt::Key_E)));
  exports->addAction(command(make(FileExportGifAct, "FileExportGifAct"), QStringLiteral("&GIF\u2026"),
                             &TMainForm::FileExportGifActExecute));
  exports->addAction(command(make(FileExportWebPageAct, "FileExportWebPageAct"), QStringLiteral("&Web Page\u2026"),
                             &TMainForm::FileExportWebPageActExecute));
  exports->addAction(command(FileExportAsSwfAct, QStringLiteral("&SWF\u2026"), &TMainForm::FileExportAsSwfActExecute));
  exports->addAction(command(make(FileExportPictureAct, "FileExportPictureAct"), QStringLiteral("&Picture\u2026"),
                             &TMainForm::FileExportPictureActExecute));
  file->addSeparator();
  // The Save button's popup items are the same commands.
  file->addAction(MakeCardsForList);
  file->addAction(command(FileSwfToExeAct, QStringLiteral("Convert to &Program\u2026"), &TMainForm::FileSwfToExeActExecute));
  file->addAction(SetAsScreenSaverItem);
  file->addSeparator();
  file->addAction(command(FileCloseAct, QStringLiteral("&Close"), &TMainForm::FileCloseActExecute, QKeySequence(Qt::CTRL | Qt::Key_W)));
  file->addAction(command(FileExitAct, QStringLiteral("&Quit"), &TMainForm::FileExitActExecute, QKeySequence(Qt::CTRL | Qt::Key_Q)));

  QMenu* edit = MainMenu->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("EditMenu"));
  edit->addActions({EditUndoAct, EditRedoAct});
  edit->addSeparator();
  for (auto [action, name, text, handler, keys] :
       {std::tuple{&EditCutAct, "EditCutAct", "Cu&t", &TMainForm::EditCutActExecute, QKeySequence(Qt::CTRL | Qt::Key_X)},
        std::tuple{&EditCopyAct, "EditCopyAct", "&Copy", &TMainForm::EditCopyActExecute, QKeySequence(Qt::CTRL | Qt::Key_C)},
        std::tuple{&EditPasteAct, "EditPasteAct", "&Paste", &TMainForm::EditPasteActExecute, QKeySequence(Qt::CTRL | Qt::Key_V)},
        std::tuple{&EditDuplicateAct, "EditDuplicateAct", "D&uplicate", &TMainForm::EditDuplicateActExecute,
                   QKeySequence(Qt::CTRL | Qt::Key_D)}})
    edit->addAction(command(make(*action, name), QString::fromLatin1(text), handler, keys));
  edit->addAction(command(make(EditDeleteAct, "EditDeleteAct"), QStringLiteral("&Delete"),
                          &TMainForm::EditDeleteActExecute, QKeySequence::Delete));
  connect(edit, &QMenu::aboutToShow, this, &TMainForm::UpdateMenuStates);
  connect(MainMenu, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, &TMainForm::UpdateMenuStates); });

  QMenu* insert = MainMenu->addMenu(QStringLiteral("&Insert"));
  insert->setObjectName(QStringLiteral("InsertMenu"));
  insert->addAction(command(InsertTextAct, QStringLiteral("&Text"), &TMainForm::InsertTextActExecute));
  insert->addAction(command(InsertPictureAct, QStringLiteral("&Picture\u2026"), &TMainForm::InsertPictureActExecute));
  insert->addAction(command(InsertSoundAct, QStringLiteral("&Sound\u2026"), &TMainForm::InsertSoundActExecute));

  QMenu* help = MainMenu->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("HelpMenu"));
  help->addAction(command(HelpContentsAct, QStringLiteral("&Help"), &TMainForm::HelpContentsActExecute, QKeySequence::HelpContents));
  help->addAction(command(HelpAboutAct, QStringLiteral("&About"), &TMainForm::HelpAboutActExecute));

  command(make(MainMenuAct, "MainMenuAct"), QStringLiteral("Menu"), nullptr, QKeySequence(Qt::Key_F10));
  connect(MainMenuAct, &QAction::triggered, this, [this] { OpenMainMenu(true); });
  connect(BtnMenu, &QAbstractButton::clicked, this, [this] { OpenMainMenu(false); });
  connect(MainMenu, &QMenu::aboutToShow, this, &TMainForm::UpdateMenuStates);

  // The keys work wherever the editor has the focus, its floating panels included; a text
  // box with the focus keeps the keys it edits with (Delete, Ctrl+C, ...).
  for (QMenu* menu : {file, exports, edit, insert, help})
    for (QAction* action : menu->actions())
      if (!action->shortcut().isEmpty() && action != EditUndoAct && action != EditRedoAct) {
        action->setShortcutContext(Qt::ApplicationShortcut);
        addAction(action);
      }
  MainMenuAct->setShortcutContext(Qt::ApplicationShortcut);
  addAction(MainMenuAct);
  UpdateMenuStates();
}

void TMainForm::OpenMainMenu(bool fromKeyboard) {
  if (MainMenu->isVisible())
    return;
  MainMenu->popup(BtnMenu->mapToGlobal(QPoint(0, BtnMenu->height())));
  // From the keyboard the first entry is marked, so the arrows and Return go on from there.
  // A Down key marks it; setActiveAction would open its submenu as well.
  if (fromKeyboard) {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(MainMenu, &down);
  }
}

// Alt pressed and let go with nothing in between opens the menu; any other key or a press of
// the mouse in between is a combination, not a request for the menu.
bool TMainForm::AltOpensMenu(QEvent* event) {
  switch (event->type()) {
  case QEvent::KeyPress: {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->isAutoRepeat())
      return false;
    AltAlone = key->key() == Qt::Key_Alt && (key->modifiers() & ~Qt::AltModifier) == Qt::NoModifier;
    return false;
  }
  case QEvent::KeyRelease: {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Alt || key->isAutoRepeat() || !AltAlone)
      return false;
    AltAlone = false;
    if (QApplication::activeWindow() != this || QApplication::activePopupWidget() ||
        QApplication::activeModalWidget())
      return false;
    OpenMainMenu(true);
    return true;
  }
  // The window manager's Alt+drag moves or resizes the window without a press reaching it.
  case QEvent::Move:
  case QEvent::Resize:
  case QEvent::MouseButtonPress:
  case QEvent::Wheel:
  case QEvent::ApplicationDeactivate:
  case QEvent::WindowDeactivate:
    AltAlone = false;
    return false;
  default:
    return false;
  }
}

void TMainForm::UpdateMenuStates() {
  if (!MainMenu)
    return;
  // Only a card or a movie can be exported, or be the screen saver.
  const bool exportable = CanExport();
  for (QAction* action : {FileExportVideoAct, FileExportGifAct, FileExportWebPageAct, FileExportPictureAct,
                          SetAsScreenSaverItem})
    action->setEnabled(exportable);
  for (QAction* action : {EditCutAct, EditCopyAct, EditDuplicateAct, EditDeleteAct})
    action->setEnabled(EditingCard());
  // The open Edit menu tells whether there is an object to paste; otherwise Paste's key stays
  // ready, as another program may fill the clipboard at any time.
  EditPasteAct->setEnabled(EditingCard() && (!MainMenu->isVisible() || ClipboardHoldsObject()));
  UpdateUndoActions();
}

void TMainForm::FillRecentMenu() {
  RecentMenu->clear();
  const QStringList cards = RecentCards::List();
  if (cards.isEmpty()) {
    RecentMenu->addAction(QStringLiteral("No recent cards"))->setEnabled(false);
    return;
  }
  const QFontMetrics metrics(RecentMenu->font());
  for (int i = 0; i < cards.size(); ++i) {
    const QString card = cards[i];
    const QString text = QStringLiteral("&%1 %2\t%3")
                             .arg(i + 1)
                             .arg(Literal(QFileInfo(card).fileName()), Literal(ShownFolder(card, metrics)));
    QAction* entry = RecentMenu->addAction(text);
    entry->setData(card);
    entry->setToolTip(QDir::toNativeSeparators(card));
    // A card moved or deleted since stays in the list, greyed.
    entry->setEnabled(QFileInfo(card).isFile());
    connect(entry, &QAction::triggered, this, [this, card] { RunCommand([this, card] { OpenFile(card); }); });
  }
  RecentMenu->setToolTipsVisible(true);
}

// Deletes the object selected in the library, as its own Delete does.
void TMainForm::EditDeleteActExecute() {
  if (!EditingCard())
    return;
  if (auto* library = qobject_cast<TObjListForm*>(G.ObjListForm.data()))
    library->DelObjAct->trigger();
}
