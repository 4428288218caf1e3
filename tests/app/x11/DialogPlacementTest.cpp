// Dialogs under a real X server and window manager open centred on the main window, with the
// window away from the screen's corner: the window manager would place them by its own rules
// if the program gave no position.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/ErrorBox.h"
#include "app/ExportProgressFrm.h"
#include "app/FileDialogs.h"
#include "app/MainFrm.h"
#include "app/PictureButton.h"
#include "convert/SwfToExeFrm.h"
#include "platform/Registry.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

namespace {

// Answers every save dialog with one name.
class TOneName : public TFileDialogs {
public:
  explicit TOneName(QString name) : Name(std::move(name)) {}
  QString SaveFileName(QWidget*, const QString&, const QString&) override { return Name; }
  QString SaveExportFileName(QWidget*, const QString&, const QString&, const QStringList&, int&) override {
    return Name;
  }

private:
  QString Name;
};

class DialogPlacement : public ::testing::Test {
protected:
  void SetUp() override {
    Platform::TRegistry::SetFileName(Dir.filePath("Registry.ini"));
    ErrorBox::SetReporter([](const QString&) {});
  }
  void TearDown() override {
    Form.reset();
    ErrorBox::SetReporter({});
    Platform::TRegistry::SetFileName(QString());
  }
  // The editor with the window where a user dragged it.
  void Start(const QStringList& arguments = {}) {
    Form = std::make_unique<TMainForm>(arguments);
    Form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    QTest::qWait(500); // the window manager places the window
    Form->move(300, 200);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form->pos() == QPoint(300, 200); }, 5000));
    QTest::qWait(250);
  }
  // Where the first modal dialog that `open` shows stands once the window manager has
  // mapped it; `close` then ends it.
  QRect PlacedDialog(const std::function<void()>& open,
                     const std::function<void(QWidget*)>& close = [](QWidget* dialog) { dialog->close(); }) {
    QRect placed;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (!dialog || !dialog->isVisible())
        return;
      poll.stop();
      EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog));
      QTest::qWait(500); // the manager's own placement, if it makes one, comes after the map
      placed = dialog->frameGeometry();
      close(dialog);
    });
    poll.start();
    open();
    return placed;
  }
  void ExpectCentredOnTheWindow(const QRect& dialog) {
    ASSERT_TRUE(dialog.isValid());
    const QPoint offset = dialog.center() - Form->frameGeometry().center();
    // The manager's frame around the dialog may shift it by its title bar.
    EXPECT_LE(std::abs(offset.x()), 16) << offset.x() << "," << offset.y();
    EXPECT_LE(std::abs(offset.y()), 24) << offset.x() << "," << offset.y();
  }
  QString LongMovie() {
    swf::TSwfMovie movie;
    swf::TSwfObject shape;
    movie.SetSize(400 * 20, 300 * 20);
    movie.SetFrameRate(12);
    shape.MakeTextSimple("DejaVu Sans", "Hi", 100, 400, 300);
    movie.GotoFrame(0);
    movie.AddObject(shape);
    movie.GotoFrame(1999);
    movie.RemoveObject(shape);
    const QString path = Dir.filePath("long.swf");
    movie.WriteMovie(path.toStdString());
    return path;
  }

  QTemporaryDir Dir;
  std::unique_ptr<TMainForm> Form;
};

TEST_F(DialogPlacement, TheGuideAndTheListDialogOpenOnTheWindow) {
  Start();
  ExpectCentredOnTheWindow(PlacedDialog([&] { QTest::mouseClick(Form->BtnNew, Qt::LeftButton); }));
  ExpectCentredOnTheWindow(PlacedDialog([&] { Form->MakeCardsForList->trigger(); }));
}

TEST_F(DialogPlacement, TheConversionDialogsOpenOnTheWindow) {
  Start();
  // The file dialog that asks for the movie, then the conversion itself.
  ExpectCentredOnTheWindow(PlacedDialog([&] { Form->SwfToExe->trigger(); }));
  ExpectCentredOnTheWindow(
      PlacedDialog([&] { TSwfToExeForm::Execute(Form.get(), Dir.filePath("card.swf")); }));
}

TEST_F(DialogPlacement, TheExportProgressOpensOnTheWindow) {
  Start({LongMovie()});
  Form->SetFileDialogs(std::make_unique<TOneName>(Dir.filePath("long.mp4")));
  ExpectCentredOnTheWindow(PlacedDialog([&] { Form->ExportVideo->trigger(); }, [](QWidget* dialog) {
    if (auto* progress = qobject_cast<TExportProgressForm*>(dialog))
      progress->BtnCancel->click();
  }));
}

} // namespace
