// Replaying control tags into the display list, and frames, labels, actions, sounds and
// sprites as the movie parser groups them.
#include <gtest/gtest.h>

#include "swf/format/SwfBitWriter.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/TagVectors.h"
#include "swf/reader/TestMovies.h"

namespace swf::test {
namespace {

TMatrix At(int32_t x, int32_t y) {
  TMatrix m;
  m.TX = x;
  m.TY = y;
  return m;
}

TPlaceObject Place(uint16_t depth, std::optional<uint16_t> id, bool move) {
  TPlaceObject p;
  p.Depth = depth;
  p.CharacterId = id;
  p.Move = move;
  return p;
}

TEST(DisplayList, PlaceModifyReplaceAndRemove) {
  TDisplayList list;
  TPlaceObject first = Place(3, 10, false);
  first.Matrix = At(100, 200);
  first.Name = "hero";
  first.ClipDepth = 5;
  list.Apply(first);

  // A new place on the occupied depth changes nothing.
  TPlaceObject second = Place(3, 11, false);
  second.Matrix = At(1, 1);
  list.Apply(second);
  EXPECT_EQ(list.At(3)->CharacterId, 10);
  EXPECT_EQ(list.At(3)->Matrix, At(100, 200));

  // Modify and replace on an empty depth are ignored.
  list.Apply(Place(4, std::nullopt, true));
  list.Apply(Place(5, 12, true));
  EXPECT_EQ(list.Size(), 1u);

  // Modify changes only what it gives; name and clip depth stay from the creation.
  TPlaceObject modify = Place(3, std::nullopt, true);
  TCxForm half;
  half.AMult = 128;
  modify.CxForm = half;
  modify.Name = "other";
  modify.ClipDepth = 9;
  list.Apply(modify);
  EXPECT_EQ(list.At(3)->Matrix, At(100, 200));
  EXPECT_EQ(list.At(3)->CxForm, half);
  EXPECT_EQ(list.At(3)->Name, "hero");
  EXPECT_EQ(list.At(3)->ClipDepth, 5);

  // Replace swaps the character and keeps matrix and colour transform.
  list.Apply(Place(3, 13, true));
  EXPECT_EQ(list.At(3)->CharacterId, 13);
  EXPECT_EQ(list.At(3)->Matrix, At(100, 200));
  EXPECT_EQ(list.At(3)->CxForm, half);

  list.Apply(TRemoveObject{7, {}});  // nothing there
  EXPECT_EQ(list.Size(), 1u);
  list.Apply(TRemoveObject{3, 13});
  EXPECT_EQ(list.Size(), 0u);
}

TEST(DisplayList, ObjectsComeInDepthOrder) {
  TDisplayList list;
  for (uint16_t depth : {9, 2, 5}) list.Apply(Place(depth, depth, false));
  std::vector<uint16_t> depths;
  for (const auto& [depth, obj] : list.Objects()) depths.push_back(depth);
  EXPECT_EQ(depths, (std::vector<uint16_t>{2, 5, 9}));
}

// Frame 0 places, frame 1 moves and starts a sound, frame 2 removes and stops.
std::vector<uint8_t> ThreeFrameMovie() {
  TSwfBitWriter label;
  label.String("end");
  return Movie({Tag(14, Hex("05 00 3A 04 00 00 00 01 00 02 00 03 00 04 00")),
                PlaceNew(1, 5, At(20, 40)), PlaceNew(2, 5), ShowFrame(),
                PlaceMove(1, At(60, 80)), Hex("C3 03 05 00 00"), ShowFrame(),
                Remove(2), Tag(43, label.Take()), Hex("02 03 07 00"), ShowFrame()},
               3);
}

TEST(Timeline, ReplaysFramesFromTheStart) {
  TMovie movie = LoadMovie(ThreeFrameMovie());
  ASSERT_EQ(movie.Timeline.FrameCount, 3u);
  ASSERT_EQ(movie.Timeline.Frames.size(), 3u);

  TDisplayList f0 = ReplayTimeline(movie.Timeline, 0);
  EXPECT_EQ(f0.Size(), 2u);
  EXPECT_EQ(f0.At(1)->Matrix, At(20, 40));
  TDisplayList f1 = ReplayTimeline(movie.Timeline, 1);
  EXPECT_EQ(f1.At(1)->Matrix, At(60, 80));
  TDisplayList f2 = ReplayTimeline(movie.Timeline, 2);
  EXPECT_EQ(f2.Size(), 1u);
  EXPECT_EQ(f2.At(1)->Matrix, At(60, 80));
  // Past the end: the last frame.
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 99), f2);

  ASSERT_EQ(movie.Timeline.Frames[1].Sounds.size(), 1u);
  EXPECT_EQ(movie.Timeline.Frames[1].Sounds[0].SoundId, 5);
  ASSERT_EQ(movie.Timeline.Frames[2].Actions.size(), 1u);
  EXPECT_TRUE(movie.Timeline.Frames[2].Actions[0].Actions[0].Is(TActionCode::Stop));
  EXPECT_TRUE(movie.Timeline.Frames[0].Actions.empty());
  EXPECT_EQ(movie.Timeline.FindLabel("END"), 2);
  EXPECT_EQ(movie.Timeline.FindLabel("start"), -1);
  ASSERT_NE(movie.Find<TSound>(5), nullptr);
  EXPECT_EQ(movie.Find<TSound>(5)->Format.SampleRate(), 22050u);
}

TEST(Timeline, ATimelineReadOnDemandGivesTheFramesOfOneReadWhole) {
  // A fourth frame past the header's count, with a bad place: warned of, not kept.
  std::vector<uint8_t> fws = ThreeFrameMovie();
  fws.resize(fws.size() - 2);  // End
  for (const auto& t : {Tag(26, Hex("06")), PlaceNew(3, 5), ShowFrame(), Tag(0, {})})
    fws.insert(fws.end(), t.begin(), t.end());
  const TMovie whole = LoadMovie(fws);
  const TMovie onDemand = LoadMovie(fws, TTimelineReading::OnDemand);
  EXPECT_TRUE(onDemand.Timeline.Frames.empty());
  ASSERT_NE(onDemand.Timeline.Store, nullptr);
  EXPECT_EQ(onDemand.Warnings, whole.Warnings);
  EXPECT_EQ(onDemand.Timeline.FramesKept(), 3u);
  for (uint32_t f = 0; f < 5; ++f) {
    EXPECT_EQ(ReplayTimeline(onDemand.Timeline, f), ReplayTimeline(whole.Timeline, f)) << f;
    const auto a = onDemand.Timeline.FrameAt(f);
    const auto b = whole.Timeline.FrameAt(f);
    EXPECT_EQ(a->DisplayTags.size(), b->DisplayTags.size()) << f;
    EXPECT_EQ(a->Actions.size(), b->Actions.size()) << f;
    EXPECT_EQ(a->Sounds.size(), b->Sounds.size()) << f;
    EXPECT_EQ(a->Label, b->Label) << f;
  }
  EXPECT_EQ(onDemand.Timeline.FrameAt(1)->Sounds.at(0).SoundId, 5);
  EXPECT_TRUE(onDemand.Timeline.FrameAt(2)->Actions.at(0).Actions.at(0).Is(TActionCode::Stop));
  EXPECT_EQ(onDemand.Timeline.FindLabel("END"), 2);
  EXPECT_EQ(onDemand.Timeline.FindLabel("start"), -1);
  EXPECT_THROW(onDemand.Timeline.Frame(0), std::logic_error);
}

TEST(Timeline, SpritesKeepTheirOwnFrames) {
  TSwfBitWriter sprite;
  sprite.U16(20);
  sprite.U16(2);
  for (const auto& t : {Tag(14, Hex("1E 00 3A 00 00 00 00")), PlaceNew(1, 1), ShowFrame(),
                        Remove(1), ShowFrame(), Tag(0, {})})
    sprite.Bytes(t);
  // A definition inside a sprite does not belong there and is passed over.
  std::vector<uint8_t> fws = Movie({Tag(39, sprite.Take()), PlaceNew(1, 20), ShowFrame()}, 1);
  TMovie movie = LoadMovie(fws);
  const TSprite* clip = movie.Find<TSprite>(20);
  ASSERT_NE(clip, nullptr);
  EXPECT_EQ(clip->Timeline.FrameCount, 2u);
  EXPECT_FALSE(movie.Has(30));
  EXPECT_EQ(ReplayTimeline(clip->Timeline, 0).Size(), 1u);
  EXPECT_EQ(ReplayTimeline(clip->Timeline, 1).Size(), 0u);
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 0).At(1)->CharacterId, 20);
}

TEST(Timeline, TagsAfterTheLastShowFrameFormAFrameWithinTheCount) {
  TMovie movie = LoadMovie(Movie({PlaceNew(1, 1), ShowFrame(), PlaceNew(2, 1)}, 2));
  ASSERT_EQ(movie.Timeline.Frames.size(), 2u);
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 1).Size(), 2u);
  // A header count above the frames present pads with empty frames.
  TMovie padded = LoadMovie(Movie({PlaceNew(1, 1), ShowFrame()}, 5));
  EXPECT_EQ(padded.Timeline.FrameCount, 5u);
  EXPECT_TRUE(padded.Timeline.Frame(4).Empty());
  EXPECT_EQ(ReplayTimeline(padded.Timeline, 4).Size(), 1u);
}

TEST(Timeline, FirstDefinitionOfAnIdAndFirstBackgroundWin) {
  std::vector<uint8_t> square = Hex("1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 "
                                    "27 A1 F4 3A 5F 43 A2 0C 3A 60 C0 00");
  TMovie movie = LoadMovie(Movie({Hex("43 02 FF 00 00"), square,
                                  Tag(14, Hex("01 00 3A 00 00 00 00")), Hex("43 02 00 FF 00"),
                                  ShowFrame()},
                                 1));
  EXPECT_NE(movie.Find<TShape>(1), nullptr);
  EXPECT_EQ(movie.Find<TSound>(1), nullptr);
  EXPECT_EQ(movie.BackgroundColor, (TRgba{255, 0, 0, 255}));
  ASSERT_EQ(movie.Warnings.size(), 1u);
  EXPECT_NE(movie.Warnings[0].find("defined twice"), std::string::npos);
}

}  // namespace
}  // namespace swf::test
