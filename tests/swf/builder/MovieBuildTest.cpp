// A movie built through every operation of the builder, read back with the SWF reader:
// header, tag order, and the display list at chosen frames.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <variant>

#include "BuilderTestKit.h"
#include "support/FileSizeLimit.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/format/SwfError.h"
#include "swf/format/TagCodes.h"
#include "swf/reader/MovieParser.h"

using namespace swf;
using namespace swf::test;

namespace {

constexpr double One = 65536.0;

uint16_t Code(TTagCode code) { return static_cast<uint16_t>(code); }

size_t Count(const std::vector<uint16_t>& codes, TTagCode code) {
  return static_cast<size_t>(std::count(codes.begin(), codes.end(), Code(code)));
}

class MovieBuild : public ::testing::Test {
 protected:
  TTempDir Dir;
  TSwfMovie Movie;
  TSwfObject Object;
  TSwfAction Action;
};

}  // namespace

TEST_F(MovieBuild, EveryOperationReadsBack) {
  WriteJpeg(Dir.Path("photo.jpg"), 40, 30);
  WriteWave(Dir.Path("tune.wav"), 22050, 1, 16, 100);
  Movie.SetSize(8400, 3600);
  Movie.SetFrameRate(24);
  Movie.GotoFrame(0);
  Movie.SetFrameBkColor(10, 20, 30);

  Object.MakePicture(2000, 1000, 2800, 1600, 40, 30, Dir.Path("photo.jpg"));
  Movie.AddObject(Object);  // placed where the movie stands: frame 0, for the whole movie

  Object.MakeTextSimple("DejaVu Sans", "Hi", 1000, 500, 1008);  // 1008 twips: scale factors apply as given
  for (int i = 0; i <= 4; ++i) {
    Movie.GotoFrame(i);
    Movie.RemoveObject(Object);
    Object.SetSolidFill(255, 0, 0, 51.0 * (i + 1));
    Object.Scale(One * (i + 1), One * (i + 1));
    Object.Rotate(90 * 65536);
    Movie.AddObject(Object);
  }
  Movie.GotoFrame(5);
  Movie.RemoveObject(Object);

  Object.MakeTextSimple("DejaVu Sans", "Go", 0, 0, 504);
  Object.SetSolidFill(0, 0, 255, 300);  // alpha clamps to 255
  Object.Translate(3000, 2000);
  Movie.GotoFrame(2.5);  // half to even: frame 2
  Movie.AddObject(Object);
  Movie.GotoFrame(3.5);  // frame 4
  Movie.RemoveObject(Object);

  Object.MakeSound(Dir.Path("tune.wav"));
  Movie.GotoFrame(1);  // a visit back to an earlier frame
  Movie.AddObject(Object);

  Movie.GotoFrame(6);
  Action.MakeActionStop();
  Movie.AddAction(Action);
  Movie.WriteMovie(Dir.Path("card.swf"));

  auto bytes = ReadBytes(Dir.Path("card.swf"));
  TMovie movie = LoadMovie(bytes);
  EXPECT_TRUE(movie.Warnings.empty()) << movie.Warnings.front();
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 3), "FWS");
  EXPECT_EQ(movie.Header.Version, 8);
  EXPECT_EQ(movie.Header.FileLength, bytes.size());
  EXPECT_EQ(movie.Header.FrameSize, (TRect{0, 8400, 0, 3600}));
  EXPECT_EQ(movie.Header.FrameRate, 24 << 8);
  EXPECT_EQ(movie.Header.FrameCount, 7);
  EXPECT_EQ(movie.BackgroundColor, (TRgba{10, 20, 30, 255}));

  auto codes = TagCodes(bytes);
  ASSERT_GE(codes.size(), 3u);
  EXPECT_EQ(codes[0], Code(TTagCode::FileAttributes));
  EXPECT_EQ(codes[1], Code(TTagCode::SetBackgroundColor));
  EXPECT_EQ(codes.back(), Code(TTagCode::End));
  EXPECT_EQ(Count(codes, TTagCode::ShowFrame), 7u);
  EXPECT_EQ(Count(codes, TTagCode::DefineBitsJPEG2), 1u);
  EXPECT_EQ(Count(codes, TTagCode::DefineShape3), 3u);  // picture, "Hi", "Go"
  EXPECT_EQ(movie.FileAttributes, 0u);

  // Frame 0: the picture behind the text; the text at its origin, turned and coloured.
  auto frame0 = DisplayAt(movie, 0);
  ASSERT_EQ(frame0.size(), 2u);
  const TDisplayObject& picture = frame0.begin()->second;
  const TDisplayObject& hi = std::next(frame0.begin())->second;
  EXPECT_TRUE(movie.Find<TShape>(picture.CharacterId));
  EXPECT_EQ(picture.Matrix.TX, 2000);
  EXPECT_EQ(picture.Matrix.TY, 1000);
  EXPECT_EQ(hi.Matrix.TX, 1000);
  EXPECT_EQ(hi.Matrix.TY, 500);
  EXPECT_EQ(hi.Matrix.A, 0);
  EXPECT_EQ(hi.Matrix.B, 65536);  // 90 degrees clockwise
  EXPECT_EQ(hi.Matrix.C, -65536);
  EXPECT_EQ(hi.CxForm.RMult, 0);
  EXPECT_EQ(hi.CxForm.AMult, 0);
  EXPECT_EQ(hi.CxForm.RAdd, 255);
  EXPECT_EQ(hi.CxForm.AAdd, 51);

  // Frame 2: scale 3, alpha 153; "Go" added on frame 2.5 = 2 lies in front.
  auto frame2 = DisplayAt(movie, 2);
  ASSERT_EQ(frame2.size(), 3u);
  auto it = frame2.begin();
  EXPECT_EQ((++it)->second.Matrix.B, 3 * 65536);
  EXPECT_EQ(it->second.CxForm.AAdd, 153);
  const TDisplayObject& go = (++it)->second;
  EXPECT_EQ(go.Matrix.TX, 3000);
  EXPECT_EQ(go.Matrix.TY, 2000);
  EXPECT_EQ(go.CxForm.BAdd, 255);
  EXPECT_EQ(go.CxForm.AAdd, 255);
  EXPECT_EQ(DisplayAt(movie, 3).size(), 3u);  // "Go" stays on frame 3
  EXPECT_EQ(DisplayAt(movie, 4).size(), 2u);  // and leaves on 3.5 = 4
  EXPECT_EQ(DisplayAt(movie, 5).size(), 1u);  // "Hi" removed on 5, the picture stays
  EXPECT_EQ(DisplayAt(movie, 6).size(), 1u);

  // The sound starts on frame 1, the stop action sits on the last frame.
  ASSERT_EQ(movie.Timeline.Frame(1).Sounds.size(), 1u);
  const TSound* sound = movie.Find<TSound>(movie.Timeline.Frame(1).Sounds[0].SoundId);
  ASSERT_TRUE(sound);
  EXPECT_EQ(sound->Format.SampleRate(), 22050u);
  EXPECT_TRUE(sound->Format.Is16Bit);
  EXPECT_FALSE(sound->Format.Stereo);
  EXPECT_EQ(sound->SampleCount, 100u);
  ASSERT_EQ(movie.Timeline.Frame(6).Actions.size(), 1u);
  EXPECT_TRUE(movie.Timeline.Frame(6).Actions[0].Actions.at(0).Is(TActionCode::Stop));
}

TEST_F(MovieBuild, ChangesBetweenFramesAreModifiesAtOneDepth) {
  Object.MakeTextSimple("DejaVu Sans", "Fade", 200, 300, 400);
  for (int i = 0; i < 10; ++i) {
    Movie.GotoFrame(i);
    Movie.RemoveObject(Object);
    Object.SetSolidFill(0, 0, 0, 25.5 * (i + 1));
    Movie.AddObject(Object);
  }
  TMovie movie = LoadMovie(Movie.MovieBytes());
  size_t created = 0, modified = 0, removed = 0;
  for (const auto& frame : movie.Timeline.Frames) {
    for (const auto& tag : frame.DisplayTags) {
      if (auto* place = std::get_if<TPlaceObject>(&tag)) {
        place->Move ? ++modified : ++created;
        EXPECT_FALSE(place->Move && place->Matrix) << "only the colour changes";
      } else {
        ++removed;
      }
    }
  }
  EXPECT_EQ(created, 1u);
  EXPECT_EQ(modified, 9u);
  EXPECT_EQ(removed, 0u);
  EXPECT_EQ(DisplayAt(movie, 9).begin()->second.CxForm.AAdd, 255);
}

TEST_F(MovieBuild, DepthsStaySmallForManyObjectsReAddedEveryFrame) {
  for (int k = 0; k < 200; ++k) {
    Object.MakeTextSimple("DejaVu Sans", "x" + std::to_string(k), 20.0 * k, 100, 300);
    for (int i = 0; i < 240; ++i) {
      Movie.GotoFrame(i);
      Movie.RemoveObject(Object);
      Object.Translate(20.0 * k + i, 100);
      Movie.AddObject(Object);
    }
    Movie.GotoFrame(240);
    Movie.RemoveObject(Object);
  }
  TMovie movie = LoadMovie(Movie.MovieBytes());
  EXPECT_EQ(movie.Header.FrameCount, 241);
  auto frame239 = DisplayAt(movie, 239);
  ASSERT_EQ(frame239.size(), 200u);
  EXPECT_LE(frame239.rbegin()->first, 200);
  // Later objects lie in front: ids (made in order) rise with depth.
  uint16_t previous = 0;
  for (const auto& [depth, object] : frame239) {
    EXPECT_GT(object.CharacterId, previous);
    previous = object.CharacterId;
  }
  EXPECT_TRUE(DisplayAt(movie, 240).empty());
}

TEST_F(MovieBuild, FramesRoundHalfToEvenAndRefuseOutOfRange) {
  EXPECT_EQ(TSwfMovie::RoundFrame(2.5), 2);
  EXPECT_EQ(TSwfMovie::RoundFrame(3.5), 4);
  EXPECT_EQ(TSwfMovie::RoundFrame(17.75), 18);
  EXPECT_EQ(TSwfMovie::RoundFrame(25.25), 25);
  EXPECT_EQ(TSwfMovie::RoundFrame(-0.4), 0);
  EXPECT_THROW(Movie.GotoFrame(-1), TSwfError);
  EXPECT_THROW(Movie.GotoFrame(65535), TSwfError);
  EXPECT_THROW(Movie.GotoFrame(std::nan("")), TSwfError);
  Movie.GotoFrame(65534);
  EXPECT_EQ(Movie.CurrentFrame(), 65534);
  EXPECT_THROW(Movie.SetFrameRate(0), TSwfError);
  EXPECT_THROW(Movie.SetSize(-20, 100), TSwfError);
}

TEST_F(MovieBuild, WriteMovieReplacesWholeFilesAndStartsAfresh) {
  Object.MakeTextSimple("DejaVu Sans", "A", 0, 0, 400);
  Movie.GotoFrame(9);
  Movie.AddObject(Object);
  std::string target = Dir.Path("movie.swf");
  WriteBytes(target, {1, 2, 3});
  Movie.WriteMovie(target);
  EXPECT_EQ(LoadMovieFile(target).Header.FrameCount, 10);
  EXPECT_EQ(std::filesystem::status(target).permissions() & std::filesystem::perms::others_read,
            std::filesystem::perms::others_read);

  // The timeline is forgotten: the next movie starts empty, and the old content is not
  // placed into it by a stray AddObject.
  Movie.GotoFrame(2);
  Movie.AddObject(Object);
  Movie.WriteMovie(target);
  TMovie second = LoadMovieFile(target);
  EXPECT_EQ(second.Header.FrameCount, 3);
  EXPECT_TRUE(DisplayAt(second, 2).empty());

  // A write that fails leaves what was there and no temporary file.
  std::filesystem::create_directory(Dir.Path("taken"));
  EXPECT_THROW(Movie.WriteMovie(Dir.Path("taken")), TSwfError);
  EXPECT_THROW(Movie.WriteMovie(Dir.Path("missing/movie.swf")), TSwfError);
  EXPECT_TRUE(std::filesystem::is_directory(Dir.Path("taken")));
  size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Dir.Path())) files += entry.is_regular_file();
  EXPECT_EQ(files, 1u);
}

TEST_F(MovieBuild, AddingTwiceOnAFrameShowsTheContentOnce) {
  Object.MakeTextSimple("DejaVu Sans", "Twice", 0, 0, 400);
  Movie.GotoFrame(0);
  Movie.RemoveObject(Object);  // nothing shown yet: no harm
  Object.SetSolidFill(1, 2, 3, 100);
  Movie.AddObject(Object);
  Object.SetSolidFill(1, 2, 3, 200);
  Movie.AddObject(Object);
  TMovie movie = LoadMovie(Movie.MovieBytes());
  auto frame0 = DisplayAt(movie, 0);
  ASSERT_EQ(frame0.size(), 1u);
  EXPECT_EQ(frame0.begin()->second.CxForm.AAdd, 200);
}

TEST(MovieBinding, ContentOfOneMovieIsNeverPlacedInAnother) {
  TSwfObject object;
  object.MakeTextSimple("DejaVu Sans", "Old", 0, 0, 400);
  for (int round = 0; round < 2; ++round) {
    TSwfMovie movie;  // likely at the same address each round
    movie.GotoFrame(3);
    movie.AddObject(object);
    TMovie written = LoadMovie(movie.MovieBytes());
    EXPECT_EQ(DisplayAt(written, 3).size(), round == 0 ? 1u : 0u) << round;
  }
}

// Effects hand scale factors measured against a 36-point text, so a text keeps its
// proportions at every size: F / 36 × 65536 shows a text made at 28 × F twips as made.
TEST_F(MovieBuild, TextScaleIsMeasuredAgainstAThirtySixPointText) {
  Movie.SetSize(4000, 4000);
  Object.MakeTextSimple("DejaVu Sans", "Aa", 0, 0, 18 * 28);
  Movie.GotoFrame(0);
  Movie.AddObject(Object);  // no Scale yet: as made
  Movie.GotoFrame(1);
  Movie.RemoveObject(Object);
  Object.Scale(18.0 / 36 * One, 18.0 / 36 * One);
  Movie.AddObject(Object);
  Movie.GotoFrame(2);
  Movie.RemoveObject(Object);
  Object.Scale(2.5 * 18.0 / 36 * One, 2.5 * 18.0 / 36 * One);
  Movie.AddObject(Object);
  Movie.WriteMovie(Dir.Path("scale.swf"));
  TMovie movie = LoadMovie(ReadBytes(Dir.Path("scale.swf")));
  EXPECT_EQ(DisplayAt(movie, 0).begin()->second.Matrix.A, 65536);
  EXPECT_EQ(DisplayAt(movie, 1).begin()->second.Matrix.A, 65536);
  EXPECT_EQ(DisplayAt(movie, 2).begin()->second.Matrix.A, 163840);
}

TEST_F(MovieBuild, AMovieThatMeetsAFullDiskFailsAndLeavesTheOldOne) {
  Object.MakeTextSimple("DejaVu Sans", "Hooray", 0, 0, 400);
  Movie.GotoFrame(30);
  Movie.AddObject(Object);
  const std::string target = Dir.Path("movie.swf");
  WriteBytes(target, {1, 2, 3});
  {
    TFileSizeLimit full(200);
    EXPECT_THROW(Movie.WriteMovie(target), TSwfError);
  }
  EXPECT_EQ(ReadBytes(target), (std::vector<uint8_t>{1, 2, 3}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir.Path()), {}), 1);
}
