// The reference movies drawn by our player and compared with another player's frames of the
// same movies, channel by channel within each case's tolerance.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "ReferenceMovies.h"
#include "player/MoviePlayer.h"

using namespace playertest;

namespace {

const QString PeerDir = QStringLiteral(PLAYER_REFERENCE_DIR) + "/peer";

int Outliers(const QImage& drawn, const QImage& expected, int tolerance) {
  const QImage a = drawn.convertToFormat(QImage::Format_RGBA8888);
  const QImage b = expected.convertToFormat(QImage::Format_RGBA8888);
  int outliers = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int i = 0; i < a.width() * 4; ++i)
      outliers += std::abs(a.constScanLine(y)[i] - b.constScanLine(y)[i]) > tolerance;
  return outliers;
}

void Check(const std::vector<TReferenceCase>& cases) {
  const QString save = qEnvironmentVariable("GREETIX_SAVE_MOVIES");
  for (const TReferenceCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TTestMovie movie = c.Make();
    if (!save.isEmpty()) movie.Save((save + "/" + QString::fromStdString(c.Name) + ".swf").toStdString());
    const QString file = PeerDir + "/" + QString::fromStdString(c.Name) +
                         QString("-f%1.png").arg(c.Frame);
    const QImage expected(file);
    if (expected.isNull()) {
      ADD_FAILURE() << "no reference picture " << file.toStdString();
      continue;
    }
    player::TMoviePlayer player;
    player.SetEdges(c.Antialiased ? player::TEdges::Exact : player::TEdges::Hard);
    player.LoadBytes(movie.Bytes());
    for (int i = 0; i < c.Frame; ++i) player.Tick();
    const QImage drawn = player.RenderImage(expected.size());
    if (!save.isEmpty()) drawn.save(save + "/" + QString::fromStdString(c.Name) + "-ours.png");
    const int outliers = Outliers(drawn, expected, c.Tolerance);
    EXPECT_LE(outliers, c.MaxOutliers) << "channel values beyond " << c.Tolerance;
  }
}

}  // namespace

TEST(PeerReference, GradientsWithHardEdgesInEverySpread) { Check(GradientCases()); }
TEST(PeerReference, BlendModesAndTheirLayers) { Check(BlendCases()); }
TEST(PeerReference, FiltersWithTheirQualityAndFlags) { Check(FilterCases()); }
TEST(PeerReference, ButtonsInTheirUpState) { Check(ButtonCases()); }
TEST(PeerReference, TextFieldsInEmbeddedFonts) { Check(EditTextCases()); }
TEST(PeerReference, MoviesOfOtherTools) { Check(FidelityCases()); }
