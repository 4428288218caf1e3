// Which placements RemoveObject takes away, tried on the call sequences of the card's
// renderers: per-letter effects must leave together, staggered letters finish their
// course, and objects made earlier through the same shape object are never taken away.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "BuilderTestKit.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/reader/MovieParser.h"

using namespace swf;
using namespace swf::test;

namespace {

// Plays the renderers' call patterns on one movie and one shared shape object.
class TRenderScript {
 public:
  TRenderScript(TSwfMovie& movie, TSwfObject& object, int playerFrames)
      : FMovie(movie), FObject(object), FPlayerFrames(playerFrames) {}

  // Whole texts stand at x = 500, letter k at 1000 + 504 k.
  void MakeText(const std::string& text) { FObject.MakeTextSimple("DejaVu Sans", text, 500, 1100, 1008); }
  void MakeLetter(const std::string& text, int k) {
    FObject.MakeTextSimple("DejaVu Sans", text.substr(k, 1), 1000 + 504.0 * k, 1100, 1008);
  }
  // GotoFrame; RemoveObject; the effect's own calls; AddObject.
  void FrameStep(double frame, const std::function<void()>& calls = {}) {
    FMovie.GotoFrame(frame);
    FMovie.RemoveObject(FObject);
    if (calls) calls();
    FMovie.AddObject(FObject);
  }
  // After the text's last frame: removed, or added once more at the end of the movie.
  void Finish(int endTime) {
    if (endTime + 1 < FPlayerFrames) {
      FMovie.GotoFrame(endTime + 1);
      FMovie.RemoveObject(FObject);
    } else {
      FMovie.GotoFrame(endTime);
      FMovie.AddObject(FObject);
    }
  }
  void None(const std::string& text, int s, int e) {
    MakeText(text);
    FObject.SetSolidFill(0, 0, 255, 255);
    FMovie.GotoFrame(s);
    FMovie.AddObject(FObject);
    Finish(e);
  }
  void Fade(const std::string& text, int s, int e) {
    MakeText(text);
    for (int i = s; i <= e; ++i) FrameStep(i, [&] { FObject.SetSolidFill(0, 0, 0, 255.0 / (e + 1) * (i - s + 1)); });
    Finish(e);
  }
  // A per-letter effect; frameOf gives the frame of letter k at loop step i.
  void Letters(const std::string& text, int s, int e, const std::function<double(int, int)>& frameOf) {
    for (int k = 0; k < static_cast<int>(text.size()); ++k) {
      MakeLetter(text, k);
      for (int i = s; i <= e; ++i) FrameStep(frameOf(k, i), [&] { FObject.SetSolidFill(k * 50, i, 0, 200); });
    }
    Finish(e);
  }
  void HeartBeat(const std::string& text, int s, int e) {
    int m = static_cast<int>(std::nearbyint(e / 2.0));
    for (int k = 0; k < static_cast<int>(text.size()); ++k) {
      MakeLetter(text, k);
      FObject.SetSolidFill(255, 0, 0, 255);
      for (int i = s; i <= m; ++i) FrameStep(i, [&] { FObject.Scale(65536.0 * 2.5 * i / (e / 2.0), 65536.0 * 2.5 * i / (e / 2.0)); });
      for (int j = m; j <= e; ++j) FrameStep(j, [&] { FObject.Scale(65536.0 * e / j, 65536.0 * e / j); });
    }
    Finish(e);
  }
  void Picture(const std::string& jpeg, int s, int e, int cardFrames) {
    FObject.MakePicture(4000, 2000, 6000, 3000, 100, 50, jpeg);
    FMovie.GotoFrame(s);
    FMovie.AddObject(FObject);
    Finish(e);
    AfterPicture(e, cardFrames);
  }
  void MovingPicture(const std::string& jpeg, int s, int e, int cardFrames) {
    for (int i = s; i <= e; ++i) {
      FMovie.GotoFrame(i);
      FMovie.RemoveObject(FObject);
      FObject.MakePicture(20 * (300 - 2 * i), 0, 20 * (400 - 2 * i), 1000, 100, 50, jpeg);
      FMovie.AddObject(FObject);
    }
    Finish(e);
    AfterPicture(e, cardFrames);
  }
  // The picture renderer's closing removal on its last frame.
  void AfterPicture(int e, int cardFrames) {
    if (e < cardFrames) {
      FMovie.GotoFrame(e);
      FMovie.RemoveObject(FObject);
    }
  }
  void Background(const std::string& jpeg) {
    FMovie.GotoFrame(0);
    FObject.MakePicture(0, 0, 2000, 1000, 100, 50, jpeg);
    FMovie.AddObject(FObject);
  }

 private:
  TSwfMovie& FMovie;
  TSwfObject& FObject;
  int FPlayerFrames;
};

class RemoveRules : public ::testing::Test {
 protected:
  TMovie Written() { return LoadMovie(Movie.MovieBytes()); }
  // Whether some instance at the frame has this origin (letters and texts differ by x).
  static bool ShownAtX(const TMovie& movie, uint32_t frame, int32_t x) {
    for (const auto& [depth, object] : DisplayAt(movie, frame)) {
      if (object.Matrix.TX == x) return true;
    }
    return false;
  }

  TTempDir Dir;
  TSwfMovie Movie;
  TSwfObject Object;
  TRenderScript Script{Movie, Object, 100};
};

constexpr int32_t Letter0 = 1000, Letter1 = 1504, Letter2 = 2008, Letter3 = 2512;

}  // namespace

TEST_F(RemoveRules, LettersLeaveTogetherAndEarlierObjectsStay) {
  WriteJpeg(Dir.Path("bg.jpg"), 20, 10);
  Script.Background(Dir.Path("bg.jpg"));
  Script.None("Hello", 0, 30);
  Script.Letters("ABC", 0, 10, [](int, int i) { return i; });  // "Rainbow"
  Script.Fade("Later", 5, 20);
  Movie.GotoFrame(40);
  Movie.RemoveObject(Object);  // stretches the movie to frame 40 without removing anything
  TMovie movie = Written();

  for (uint32_t f : {0u, 10u}) EXPECT_EQ(DisplayAt(movie, f).size(), 2u + 3u + (f >= 5)) << f;
  for (int32_t x : {Letter0, Letter1, Letter2}) {
    EXPECT_TRUE(ShownAtX(movie, 10, x));
    EXPECT_FALSE(ShownAtX(movie, 11, x)) << "every letter leaves after the last frame";
  }
  EXPECT_EQ(DisplayAt(movie, 11).size(), 3u);  // background, "Hello", "Later"
  EXPECT_EQ(DisplayAt(movie, 30).size(), 2u);
  EXPECT_EQ(DisplayAt(movie, 31).size(), 1u);  // "Hello" leaves after 30
  EXPECT_EQ(DisplayAt(movie, 40).size(), 1u);  // the background stays for good
}

// A text that runs to the movie's end is placed once more instead of removed; a stop frame
// added after it (a saved card that does not loop) must still show every letter.
TEST_F(RemoveRules, LettersAtTheMoviesEndStayOnAStopFrameAddedAfterThem) {
  TRenderScript script{Movie, Object, 11};
  script.Letters("ABC", 0, 10, [](int, int i) { return i; });  // "Rainbow" to the last frame
  TSwfAction stop;
  stop.MakeActionStop();
  Movie.GotoFrame(11);
  Movie.AddAction(stop);
  TMovie movie = Written();
  for (int32_t x : {Letter0, Letter1, Letter2}) {
    EXPECT_TRUE(ShownAtX(movie, 10, x));
    EXPECT_TRUE(ShownAtX(movie, 11, x)) << "a letter left the stop frame";
  }
}

TEST_F(RemoveRules, StaggeredLettersEachFinishTheirCourse) {
  Script.None("Long", 0, 60);
  Script.Letters("ABCD", 0, 24, [](int k, int i) { return k * 24 * 0.25 + i; });  // "Come In"
  TMovie movie = Written();
  EXPECT_TRUE(ShownAtX(movie, 0, Letter0));
  EXPECT_FALSE(ShownAtX(movie, 0, Letter1));
  EXPECT_TRUE(ShownAtX(movie, 24, Letter0));
  EXPECT_FALSE(ShownAtX(movie, 25, Letter0));
  EXPECT_TRUE(ShownAtX(movie, 25, Letter3));  // the removal at 25 does not cut the last letter short
  EXPECT_TRUE(ShownAtX(movie, 30, Letter1));
  EXPECT_FALSE(ShownAtX(movie, 31, Letter1));
  EXPECT_TRUE(ShownAtX(movie, 42, Letter3));
  EXPECT_FALSE(ShownAtX(movie, 43, Letter3));
  EXPECT_EQ(DisplayAt(movie, 43).size(), 1u);  // only "Long"
}

TEST_F(RemoveRules, RoundedLetterFramesDoNotFlicker) {
  // "Roll In": letter 2 runs on frames 25.5, 26.5, ... which round to 26, 26, 28, 28, ...
  Script.Letters("ABCD", 0, 20, [](int k, int i) { return k * 15 * 0.85 + i; });
  TMovie movie = Written();
  for (uint32_t f = 26; f <= 46; ++f) EXPECT_TRUE(ShownAtX(movie, f, Letter2)) << f;
  EXPECT_FALSE(ShownAtX(movie, 47, Letter2));
  EXPECT_TRUE(ShownAtX(movie, 58, Letter3));
  // The removal after the text's last frame (21) sends the last letter away after its
  // own last frame, 38.25 + 20 = 58: past the movie's end, which it does not stretch.
  EXPECT_EQ(movie.Header.FrameCount, 59);
}

TEST_F(RemoveRules, HeartBeatMiddleFrameShowsTheLetterOnce) {
  Script.HeartBeat("AB", 0, 24);
  TMovie movie = Written();
  auto middle = DisplayAt(movie, 12);
  ASSERT_EQ(middle.size(), 2u);
  EXPECT_EQ(middle.begin()->second.Matrix.A, 65536 * 2);  // the falling half's scale, E / 12
  EXPECT_EQ(DisplayAt(movie, 24).size(), 2u);
  EXPECT_TRUE(DisplayAt(movie, 25).empty());
}

TEST_F(RemoveRules, ObjectsThatMakeNothingTakeNothingAway) {
  WriteJpeg(Dir.Path("pic.jpg"), 20, 10);
  WriteWave(Dir.Path("s.wav"), 11025, 1, 16, 10);
  Script.Picture(Dir.Path("pic.jpg"), 0, 50, 100);
  Script.Finish(10);                    // a per-letter text with no letters
  Movie.GotoFrame(20);                  // a picture with an effect that makes nothing
  Movie.RemoveObject(Object);
  Object.MakeSound(Dir.Path("s.wav"));  // a sound, attached where the render stands
  Movie.AddObject(Object);
  Script.Finish(30);
  Script.None("End", 60, 99);           // the last frame of the movie: added once more
  Script.Finish(70);
  Movie.GotoFrame(80);
  Movie.RemoveObject(Object);
  TMovie movie = Written();
  EXPECT_EQ(DisplayAt(movie, 50).size(), 1u) << "the picture keeps its last frame";
  EXPECT_TRUE(DisplayAt(movie, 51).empty());
  EXPECT_EQ(movie.Timeline.Frame(20).Sounds.size(), 1u);
  EXPECT_EQ(DisplayAt(movie, 99).size(), 1u) << "\"End\" stays to the end of the movie";
}

TEST_F(RemoveRules, MovingPictureSharesOneDefinition) {
  WriteJpeg(Dir.Path("pic.jpg"), 20, 10);
  Script.MovingPicture(Dir.Path("pic.jpg"), 0, 9, 100);
  auto bytes = Movie.MovieBytes();
  TMovie movie = LoadMovie(bytes);
  for (uint32_t f = 0; f <= 9; ++f) {
    auto shown = DisplayAt(movie, f);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown.begin()->second.Matrix.TX, 20 * (300 - 2 * static_cast<int32_t>(f)));
  }
  EXPECT_TRUE(DisplayAt(movie, 10).empty());
  auto codes = TagCodes(bytes);
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 21), 1);  // DefineBitsJPEG2
  EXPECT_EQ(std::count(codes.begin(), codes.end(), 32), 1);  // DefineShape3
}

TEST_F(RemoveRules, LettersNeverPlacedAndEmptyLoopsAreHarmless) {
  Script.None("Stay", 0, 50);
  Script.Letters("ABC", 10, 5, [](int, int i) { return i; });  // E < S: letters made, none placed
  Script.Fade("Gone", 10, 5);
  TMovie movie = Written();
  EXPECT_EQ(DisplayAt(movie, 20).size(), 1u);
  EXPECT_EQ(DisplayAt(movie, 50).size(), 1u);
}
