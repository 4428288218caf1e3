// The main menu of the title strip: each entry and key runs its command, the entries follow
// what is open, Alt / F10 / the button open it, a text box keeps its own keys, and the
// recent cards.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>

#include "EditorFixture.h"
#include "app/AboutFrm.h"
#include "app/PictureButton.h"
#include "app/RecentCards.h"
#include "card/FlashCard.h"
#include "panels/GuideFrm.h"
#include "panels/ObjListFrm.h"
#include "panels/SpinEdit.h"
#include "panels/TextFrm.h"
#include "platform/Desktop.h"
#include "player/widget/FlashPlayer.h"
#include "render/RenderContext.h"

namespace {

const QString ProjectFilter = "Greetix file (*.grx)|*.grx";

// A menu text as read: without the key marks and the dots.
QString Plain(QString text) { return text.remove('&').remove(QChar(0x2026)); }

class MainMenuTest : public EditorTest {
protected:
  // The entry at a path of plain texts, as "File", "Export", "Video".
  QAction* Entry(const QStringList& path) {
    QMenu* menu = Form().MainMenu;
    for (int i = 0; i < path.size(); ++i) {
      // The exact text, else one that goes on ("Undo Move").
      QAction* found = nullptr;
      for (QAction* action : menu->actions())
        if (!found && Plain(action->text()) == path[i])
          found = action;
      for (QAction* action : menu->actions())
        if (!found && Plain(action->text()).startsWith(path[i] + " "))
          found = action;
      if (!found) {
        ADD_FAILURE() << "no entry " << path.join(" > ").toStdString();
        return nullptr;
      }
      if (i + 1 == path.size())
        return found;
      menu = found->menu();
      if (!menu) {
        ADD_FAILURE() << path[i].toStdString() << " is no submenu";
        return nullptr;
      }
    }
    return nullptr;
  }
  // Chooses an entry as a click on it does (the menus need not be open offscreen).
  void Choose(const QStringList& path) {
    if (QAction* action = Entry(path)) {
      EXPECT_TRUE(action->isEnabled()) << path.join(" > ").toStdString();
      action->trigger();
    }
  }
  void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&Form(), Qt::Key(key), modifiers);
  }
  // Answers the next modal window of the type once it shows, by the given action.
  template <class TWindow>
  void WhenModal(std::function<void(TWindow&)> answer) {
    auto* poll = new QTimer(&Form());
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
      auto* window = qobject_cast<TWindow*>(QApplication::activeModalWidget());
      if (!window || !window->isVisible())
        return;
      poll->stop();
      poll->deleteLater();
      answer(*window);
    });
    poll->start();
  }
  // A modal window gone, the editor is the active window again (offscreen, nothing does it).
  void Reactivate() {
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
  }
  int ObjectCount() { return Global().Context.Movie().Obj().Count(); }
  // A copy of the birthday template under a name of its own.
  QString CardFile(const QString& name) {
    const QString path = Dir.filePath(name);
    QFile::copy(TMainForm::TemplateFile(1), path);
    return path;
  }
};

TEST_F(MainMenuTest, TheMenuHoldsItsGroupsAndTheClipboardKeys) {
  Start();
  QStringList groups;
  for (QAction* action : Form().MainMenu->actions())
    groups << Plain(action->text());
  EXPECT_EQ(groups, (QStringList{"File", "Edit", "Insert", "Help"}));

  QStringList file;
  for (QAction* action : Entry({"File"})->menu()->actions())
    if (!action->isSeparator())
      file << Plain(action->text());
  EXPECT_EQ(file, (QStringList{"New", "Open", "Recent Cards", "Save", "Save As", "Export", "Make Cards for a List",
                               "Convert to Program", "Set as Screen Saver", "Close", "Quit"}));
  QStringList exports;
  for (QAction* action : Entry({"File", "Export"})->menu()->actions())
    exports << Plain(action->text());
  EXPECT_EQ(exports, (QStringList{"Video", "GIF", "Web Page", "SWF", "Picture"}));

  // The clipboard's commands carry their keys (pressed in the stage tests).
  const std::pair<const char*, QKeySequence> clipboardKeys[] = {
      {"Cut", QKeySequence("Ctrl+X")}, {"Copy", QKeySequence("Ctrl+C")},
      {"Paste", QKeySequence("Ctrl+V")}, {"Duplicate", QKeySequence("Ctrl+D")}};
  for (const auto& [name, key] : clipboardKeys) {
    EXPECT_EQ(Entry({"Edit", name})->shortcut(), key) << name;
    EXPECT_TRUE(Entry({"Edit", name})->isEnabled()) << name;
  }
}

TEST_F(MainMenuTest, SaveSaveAsAndOpenByTheirKeys) {
  Start();
  Dialogs().Answers << Dir.filePath("first.grx");
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("first.grx")));
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("first.swf")));
  // Save again asks nothing; Save As asks for a new name.
  Key(Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Dialogs().FiltersAsked, QStringList{ProjectFilter});
  Dialogs().Answers << Dir.filePath("second.grx");
  Key(Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Dialogs().FiltersAsked.size(), 2);
  EXPECT_TRUE(QFileInfo::exists(Dir.filePath("second.grx")));
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("second"));

  Dialogs().Answers << CardFile("party.grx");
  Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("party"));
  EXPECT_EQ(Card()->Mode(), "Edit");
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(MainMenuTest, NewOpensTheGuideAndCloseAndQuitEndTheCard) {
  Start();
  WhenModal<TGuideForm>([](TGuideForm& guide) {
    guide.ListView1->setCurrentRow(1);
    guide.OkBtn->click();
  });
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_EQ(Global().Context.Movie().MovieName(), "Happy Birthday");
  Reactivate();

  // The birthday card was never saved: Close asks, and Don't Save lets it go.
  Key(Qt::Key_W, Qt::ControlModifier);
  EXPECT_EQ(Questions().Asked.size(), 1);
  EXPECT_EQ(Card()->Mode(), "Close");
  EXPECT_FALSE(Form().FileSaveAct->isEnabled());

  Key(Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(Form().isVisible());
}

TEST_F(MainMenuTest, EachExportEntryAsksForItsKindAndPictureWritesAPicture) {
  Start();
  const std::pair<QStringList, QString> kinds[] = {
      {{"File", "Export", "Video"}, "MP4 video (*.mp4)|*.mp4|WebM video (*.webm)|*.webm"},
      {{"File", "Export", "GIF"}, "Animated GIF (*.gif)|*.gif|Animated WebP (*.webp)|*.webp"},
      {{"File", "Export", "Web Page"}, "Web page (*.html)|*.html"},
      {{"File", "Export", "SWF"}, "Flash file (*.swf)|*.swf"},
      {{"File", "Export", "Picture"}, "PNG picture (*.png)|*.png"},
  };
  // No answer: each dialog is cancelled.
  for (const auto& [path, filter] : kinds) {
    Choose(path);
    EXPECT_EQ(Dialogs().FiltersAsked.value(Dialogs().FiltersAsked.size() - 1), filter) << path.join(" > ").toStdString();
  }
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_EQ(Dialogs().FiltersAsked.size(), 6);
  EXPECT_EQ(Dialogs().FiltersAsked.last(), kinds[0].second);

  Dialogs().Answers << Dir.filePath("poster");
  Choose({"File", "Export", "Picture"});
  QImage poster(Dir.filePath("poster.png"));
  EXPECT_EQ(poster.size(), QSize(Card()->Width, Card()->Height));
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(MainMenuTest, EntriesFollowWhatIsOpen) {
  const QString movie = MakeMovie("played.swf", 200, 100, 20);
  Start({movie});
  ASSERT_EQ(Card()->Mode(), "Play");
  // A movie exports and can be the screen saver, but is no card to save or add to.
  for (const QStringList& path : {QStringList{"File", "Export", "Video"}, {"File", "Export", "Picture"},
                                  {"File", "Set as Screen Saver"}, {"File", "Open"}, {"File", "New"}})
    EXPECT_TRUE(Entry(path)->isEnabled()) << path.join(" > ").toStdString();
  for (const QStringList& path : {QStringList{"File", "Save"}, {"File", "Save As"}, {"File", "Export", "SWF"},
                                  {"Insert", "Text"}, {"Insert", "Picture"}, {"Edit", "Delete"}})
    EXPECT_FALSE(Entry(path)->isEnabled()) << path.join(" > ").toStdString();

  Key(Qt::Key_W, Qt::ControlModifier);
  ASSERT_EQ(Card()->Mode(), "Close");
  for (const QStringList& path : {QStringList{"File", "Export", "Video"}, {"File", "Set as Screen Saver"}})
    EXPECT_FALSE(Entry(path)->isEnabled()) << path.join(" > ").toStdString();
  // Nothing to export: the key does nothing.
  Key(Qt::Key_E, Qt::ControlModifier);
  EXPECT_TRUE(Dialogs().FiltersAsked.isEmpty());
}

TEST_F(MainMenuTest, InsertTextAndDeleteTheSelectedObject) {
  Start({CardFile("party.grx")});
  const int before = ObjectCount();
  ASSERT_GT(before, 1);
  Choose({"Insert", "Text"});
  ASSERT_EQ(ObjectCount(), before + 1);
  ASSERT_TRUE(Library()->SelectedCaption().has_value());

  // In the text box, Delete takes away a letter, not the object.
  auto* text = qobject_cast<TTextForm*>(Global().TextForm.data());
  ASSERT_NE(text, nullptr);
  text->Content->setFocus();
  text->Content->setText("Hello");
  text->Content->setCursorPosition(0);
  QTest::keyClick(text->Content, Qt::Key_Delete);
  EXPECT_EQ(text->Content->text(), "ello");
  EXPECT_EQ(ObjectCount(), before + 1);
  // So does a number box.
  text->PositionX->setFocus();
  text->PositionX->selectAll();
  QTest::keyClick(text->PositionX, Qt::Key_Delete);
  EXPECT_EQ(ObjectCount(), before + 1);

  // In the library the key deletes once, not once for the menu and again for the library
  // (whose neighbour is selected next).
  Library()->ObjTree->setFocus();
  QTest::keyClick(Library()->ObjTree, Qt::Key_Delete);
  EXPECT_EQ(ObjectCount(), before);
  ASSERT_TRUE(Library()->SelectedCaption().has_value());
  Form().BtnNew->setFocus();
  Key(Qt::Key_Delete);
  EXPECT_EQ(ObjectCount(), before - 1);
}

TEST_F(MainMenuTest, HelpAboutAndTheHelpKey) {
  Start();
  bool aboutShown = false;
  WhenModal<TAboutForm>([&](TAboutForm& about) {
    aboutShown = true;
    about.reject();
  });
  Choose({"Help", "About"});
  EXPECT_TRUE(aboutShown);
  Reactivate();

  struct TOpenerBack {
    ~TOpenerBack() { Platform::SetDocumentOpener(QStringLiteral("xdg-open")); }
  } openerBack;
  // An opener that finds no browser: the help's own message shows F1 reached it.
  Platform::SetDocumentOpener(QStringLiteral("false"));
  Key(Qt::Key_F1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !Errors.isEmpty(); }, 10000));
  EXPECT_EQ(Errors, QStringList{HelpUnreachableText(QFileInfo(HelpFileName()).canonicalFilePath())});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(MainMenuTest, AltAloneF10AndTheButtonOpenTheMenu) {
  Start();
  QMenu& menu = *Form().MainMenu;
  QTest::keyClick(&Form(), Qt::Key_Alt);
  ASSERT_TRUE(menu.isVisible());
  // From the keyboard the first group is marked.
  EXPECT_EQ(menu.activeAction(), Entry({"File"}));
  EXPECT_FALSE(Entry({"File"})->menu()->isVisible());
  menu.hide();

  // Alt with another key is a combination.
  QTest::keyPress(&Form(), Qt::Key_Alt);
  QTest::keyClick(&Form(), Qt::Key_X, Qt::AltModifier);
  QTest::keyRelease(&Form(), Qt::Key_Alt);
  EXPECT_FALSE(menu.isVisible());

  Key(Qt::Key_F10);
  EXPECT_TRUE(menu.isVisible());
  menu.hide();

  QTest::mouseClick(Form().BtnMenu, Qt::LeftButton);
  EXPECT_TRUE(menu.isVisible());
  // It opens under its button, which stands beside the caption.
  EXPECT_EQ(menu.pos(), Form().BtnMenu->mapToGlobal(QPoint(0, Form().BtnMenu->height())));
  EXPECT_LT(Form().BtnMenu->geometry().right(), Form().Caption1->x());
  menu.hide();
}

TEST_F(MainMenuTest, RecentCardsListTheLastEightNewestFirstAndGreyTheMissing) {
  Start();
  QStringList cards;
  for (int i = 0; i < 10; ++i) {
    cards << CardFile(QStringLiteral("card%1.grx").arg(i));
    RecentCards::Note(cards.last());
  }
  // Noted again, a card moves to the top instead of standing twice.
  RecentCards::Note(Dir.filePath("./card5.grx"));
  const QStringList kept = RecentCards::List();
  ASSERT_EQ(kept.size(), 8);
  EXPECT_EQ(kept.first(), cards[5]);
  EXPECT_EQ(kept.mid(1, 2), (QStringList{cards[9], cards[8]}));
  EXPECT_FALSE(kept.contains(cards[0]));
  EXPECT_FALSE(kept.contains(cards[1]));

  QFile::remove(cards[9]);
  emit Form().RecentMenu->aboutToShow();
  const QList<QAction*> entries = Form().RecentMenu->actions();
  ASSERT_EQ(entries.size(), 8);
  EXPECT_TRUE(Plain(entries[0]->text()).startsWith("1 card5.grx"));
  EXPECT_FALSE(entries[1]->isEnabled());
  EXPECT_TRUE(entries[2]->isEnabled());

  entries[2]->trigger();
  EXPECT_EQ(QString::fromStdString(Card()->CardPath), Dir.filePath("card8"));
  EXPECT_EQ(RecentCards::List().first(), cards[8]);
  EXPECT_TRUE(Errors.isEmpty()) << Errors.join("\n").toStdString();
}

TEST_F(MainMenuTest, OpeningAndSavingPutACardFirstAcrossRuns) {
  Start({CardFile("opened.grx")});
  EXPECT_EQ(RecentCards::List(), QStringList{Dir.filePath("opened.grx")});
  Dialogs().Answers << Dir.filePath("saved & sent");
  Choose({"File", "Save As"});
  EXPECT_EQ(RecentCards::List(), (QStringList{Dir.filePath("saved & sent.grx"), Dir.filePath("opened.grx")}));
  // A name with '&' shows as it is, not as a key mark.
  emit Form().RecentMenu->aboutToShow();
  EXPECT_TRUE(Form().RecentMenu->actions().first()->text().contains("saved && sent.grx"));
  // A movie played is no card.
  Dialogs().Answers << MakeMovie("played.swf", 100, 100, 5);
  Choose({"File", "Open"});
  EXPECT_EQ(RecentCards::List().size(), 2);
}

} // namespace
