#include "tools/projector/PlayerRun.h"

#include "tools/projector/MovieView.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>

TPlayerOptions ParsePlayerOptions(const QStringList& arguments) {
  TPlayerOptions options;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--check")) {
      options.Check = true;
    } else if (argument == QLatin1String("--grab") || argument == QLatin1String("--grab-after")) {
      if (i + 1 >= arguments.size()) {
        options.Error = QStringLiteral("%1 needs a value.").arg(argument);
        break;
      }
      const QString value = arguments[++i];
      if (argument == QLatin1String("--grab")) {
        options.GrabFile = value;
        continue;
      }
      bool ok = false;
      options.GrabAfter = value.toInt(&ok);
      if (!ok || options.GrabAfter < 0) {
        options.Error = QStringLiteral("--grab-after needs a number of frames, not \"%1\".").arg(value);
        break;
      }
    } else if (argument.startsWith(QLatin1String("--"))) {
      options.Error = QStringLiteral("Unknown option \"%1\".").arg(argument);
      break;
    } else {
      options.Others << argument;
    }
  }
  return options;
}

bool AsksForCheck(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--check") == 0)
      return true;
  return false;
}

int ReportFailure(const TPlayerOptions& options, const QString& title, const QString& message) {
  std::fprintf(stderr, "%s: %s\n", title.toLocal8Bit().constData(),
               QString(message).replace(QLatin1Char('\n'), QLatin1Char(' ')).toLocal8Bit().constData());
  if (!options.Check)
    QMessageBox::warning(nullptr, title, message);
  return 1;
}

namespace {

int CheckMovie(const TPlayerOptions& options, const TPlayerRun& run) {
  player::TMoviePlayer moviePlayer(player::TAudioMode::None);
  try {
    run.Load(moviePlayer);
  } catch (const std::exception& error) {
    return ReportFailure(options, run.Title, QString::fromUtf8(error.what()));
  }
  std::printf("%d\n", moviePlayer.TotalFrames());
  return 0;
}

// The window as it is on the screen where the platform can tell, else as it paints itself.
QPixmap GrabView(QWidget& view) {
  QPixmap shot;
  QScreen* screen = view.screen();
  if (screen && QGuiApplication::platformName() != QLatin1String("offscreen")) {
    const QPoint topLeft = view.mapToGlobal(QPoint(0, 0)) - screen->geometry().topLeft();
    shot = screen->grabWindow(0, topLeft.x(), topLeft.y(), view.width(), view.height());
  }
  return shot.isNull() ? view.grab() : shot;
}

void ScheduleGrab(TMovieView& view, const TPlayerOptions& options) {
  const int after = options.GrabAfter >= 0
                        ? options.GrabAfter
                        : int(std::lround(std::clamp(view.Player().FrameRate(), 1.0, 120.0)));
  auto grab = [&view, file = options.GrabFile]() {
    view.Pause();
    view.repaint();
    // A moment for the window system to show the last frame before it is read back.
    QTimer::singleShot(300, &view, [&view, file]() {
      const bool saved = GrabView(view).save(file, "PNG");
      if (!saved)
        std::fprintf(stderr, "Cannot write the picture \"%s\".\n", file.toLocal8Bit().constData());
      QCoreApplication::exit(saved ? 0 : 1);
    });
  };
  if (after == 0) {
    QTimer::singleShot(0, &view, grab);
    return;
  }
  QObject::connect(&view, &TMovieView::Ticked, &view, [after, grab](int ticks) {
    if (ticks == after)
      grab();
  });
}

} // namespace

int RunPlayer(const TPlayerOptions& options, const TPlayerRun& run) {
  if (!options.Error.isEmpty())
    return ReportFailure(options, run.Title, options.Error);
  if (options.Check)
    return CheckMovie(options, run);

  TMovieView view(player::TAudioMode::Device);
  view.setWindowTitle(run.Title);
  try {
    run.Load(view.Player());
  } catch (const std::exception& error) {
    return ReportFailure(options, run.Title, QString::fromUtf8(error.what()));
  }

  QScreen* screen = QGuiApplication::primaryScreen();
  if (run.EmbedInto) {
    QWindow* host = QWindow::fromWinId(WId(run.EmbedInto));
    QSize size = host ? host->geometry().size() : QSize();
    if (size.isEmpty() && screen)
      size = screen->geometry().size();
    view.setWindowFlags(Qt::FramelessWindowHint);
    view.winId();
    if (host)
      view.windowHandle()->setParent(host);
    view.setGeometry(QRect(QPoint(0, 0), size));
    if (!options.GrabFile.isEmpty())
      ScheduleGrab(view, options);
    view.show();
    view.Start();
    return QApplication::exec();
  }
  if (run.FullScreen) {
    // The whole screen even where no window manager grants full-screen requests.
    view.setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    if (screen)
      view.setGeometry(screen->geometry());
  } else {
    QSize size = view.StageSize();
    // A stage larger than the screen is shown whole, scaled down.
    const QSize room = screen ? screen->availableGeometry().size() : size;
    if (size.width() > room.width() || size.height() > room.height())
      size.scale(room, Qt::KeepAspectRatio);
    view.resize(size);
  }
  if (run.EndOnInput) {
    view.SetEndOnInput(true);
    QObject::connect(&view, &TMovieView::InputSeen, &view, &QWidget::close);
  }
  if (!options.GrabFile.isEmpty())
    ScheduleGrab(view, options);
  if (run.FullScreen)
    view.showFullScreen();
  else
    view.show();
  // Keys reach the window even where nothing hands it the focus.
  view.activateWindow();
  view.Start();
  return QApplication::exec();
}
