// Movies written by our builder, drawn at frames 0, 12 and 24 and compared with small
// reference pictures. The references are this player's own frames, kept after checking
// them by eye against an independent player's frames of the same movies (they agreed but
// for antialiasing along edges). Set GREETIX_UPDATE_REFERENCES=1 to write them anew.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>

#include "player/MoviePlayer.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"

namespace {

const QString ReferenceDir = QStringLiteral(PLAYER_REFERENCE_DIR);

// Three texts on 25 frames: one fades in, one turns about its origin, one grows; the
// last frame stops.
void WriteTextsMovie(const std::string& path) {
  swf::TSwfMovie movie;
  movie.SetSize(400 * 20, 300 * 20);
  movie.SetFrameRate(12);
  movie.SetFrameBkColor(255, 250, 220);
  swf::TSwfObject fade, spin, grow;
  swf::TSwfAction stop;
  fade.MakeTextSimple("DejaVu Sans", "Hello", 40 * 20, 30 * 20, 48 * 20);
  spin.MakeTextSimple("Liberation Serif", "Greetix", 200 * 20, 150 * 20, 40 * 20);
  grow.MakeTextSimple("DejaVu Sans", "Card!", 60 * 20, 200 * 20, 30 * 20);
  for (int f = 0; f <= 24; ++f) {
    movie.GotoFrame(f);
    movie.RemoveObject(fade);
    fade.SetSolidFill(0, 0, 200, f * 255.0 / 24);
    movie.AddObject(fade);
    movie.RemoveObject(spin);
    spin.SetSolidFill(220, 0, 0, 255);
    spin.Rotate(f * 15 * 65536);
    movie.AddObject(spin);
    movie.RemoveObject(grow);
    grow.SetSolidFill(0, 128, 0, 255);
    grow.Scale(65536 * (1 + f / 24.0), 65536 * (1 + f / 24.0));
    movie.AddObject(grow);
  }
  movie.GotoFrame(24);
  stop.MakeActionStop();
  movie.AddAction(stop);
  movie.WriteMovie(path);
}

// A JPEG picture that moves, turns and fades over 25 frames.
void WritePictureMovie(const QString& dir, const std::string& path) {
  QImage picture(160, 120, QImage::Format_RGB32);
  {
    QPainter painter(&picture);
    QLinearGradient gradient(0, 0, 160, 120);
    gradient.setColorAt(0, QColor(255, 200, 0));
    gradient.setColorAt(1, QColor(0, 80, 200));
    painter.fillRect(picture.rect(), gradient);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::red);
    painter.drawEllipse(QRect(50, 30, 60, 60));
    painter.setBrush(Qt::white);
    painter.drawRect(10, 10, 30, 20);
  }
  const QString jpeg = dir + "/picture.jpg";
  ASSERT_TRUE(picture.save(jpeg, "JPEG", 90));
  swf::TSwfMovie movie;
  movie.SetSize(320 * 20, 240 * 20);
  movie.SetFrameRate(12);
  movie.SetFrameBkColor(40, 40, 60);
  swf::TSwfObject object;
  object.MakePicture(20 * 20, 20 * 20, 180 * 20, 140 * 20, 160, 120, jpeg.toStdString());
  for (int f = 0; f <= 24; ++f) {
    movie.GotoFrame(f);
    movie.RemoveObject(object);
    object.Translate((20 + f * 4) * 20, (20 + f * 2) * 20);
    object.Rotate(f * 2 * 65536);
    object.SetSolidFill(255, 255, 255, 255 - f * 6);
    movie.AddObject(object);
  }
  movie.WriteMovie(path);
}

// Compares with the stored picture: a channel more than 24 off counts, and at most 0.5 %
// of the values may.
void ExpectLikeReference(const QImage& drawn, const QString& name) {
  const QString file = ReferenceDir + "/" + name + ".png";
  if (qEnvironmentVariableIsSet("GREETIX_UPDATE_REFERENCES")) {
    ASSERT_TRUE(drawn.convertToFormat(QImage::Format_RGB32).save(file));
    return;
  }
  const QImage expected = QImage(file).convertToFormat(QImage::Format_RGBA8888);
  ASSERT_FALSE(expected.isNull()) << file.toStdString();
  const QImage actual = drawn.convertToFormat(QImage::Format_RGBA8888);
  ASSERT_EQ(actual.size(), expected.size());
  int outliers = 0;
  for (int y = 0; y < actual.height(); ++y) {
    for (int i = 0; i < actual.width() * 4; ++i) {
      outliers += std::abs(actual.constScanLine(y)[i] - expected.constScanLine(y)[i]) > 24;
    }
  }
  EXPECT_LE(outliers, actual.width() * actual.height() * 4 / 200) << name.toStdString();
}

void CompareFrames(const std::string& movie, const QString& name, QSize size) {
  player::TMoviePlayer player;
  player.LoadFile(movie);
  for (int frame = 0; frame <= 24; ++frame) {
    if (frame % 12 == 0) {
      ExpectLikeReference(player.RenderImage(size), name + QString("-f%1").arg(frame, 2, 10, QChar('0')));
    }
    player.Tick();
  }
}

}  // namespace

TEST(BuilderMovies, TextsFadeTurnAndGrowAsReferenced) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("texts.swf").toStdString();
  WriteTextsMovie(path);
  CompareFrames(path, "texts", QSize(200, 150));
}

TEST(BuilderMovies, PictureMovesTurnsAndFadesAsReferenced) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("picture.swf").toStdString();
  WritePictureMovie(dir.path(), path);
  CompareFrames(path, "picture", QSize(160, 120));
}
