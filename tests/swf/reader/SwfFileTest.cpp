// Loading whole movies: the three containers, the header, the tag list, and damaged or
// hostile files that must give an error or what could be read, never a crash.
#include <gtest/gtest.h>

#include <random>

#include "swf/format/SwfBitWriter.h"
#include "swf/format/SwfError.h"
#include "swf/reader/DisplayList.h"
#include "swf/reader/MovieParser.h"
#include "swf/reader/SwfFile.h"
#include "swf/reader/TagVectors.h"
#include "swf/reader/TestMovies.h"

namespace swf::test {
namespace {

bool AnyWarningHas(const std::vector<std::string>& warnings, const std::string& text) {
  for (const auto& w : warnings)
    if (w.find(text) != std::string::npos) return true;
  return false;
}

void ExpectSquareMovie(const TSwfFile& file) {
  EXPECT_EQ(file.Header().Version, 8);
  EXPECT_EQ(file.Header().FileLength, 79u);
  EXPECT_EQ(file.Header().FrameSize, (TRect{0, 11000, 0, 8000}));
  EXPECT_EQ(file.Header().FrameRate, 24 << 8);
  EXPECT_EQ(file.Header().FrameCount, 1);
  std::vector<uint16_t> codes;
  for (const TTagRecord& t : file.Tags()) codes.push_back(t.Code);
  EXPECT_EQ(codes, (std::vector<uint16_t>{69, 9, 32, 26, 1, 0}));
  EXPECT_TRUE(file.Warnings().empty());

  TMovie movie = ParseMovie(file);
  EXPECT_TRUE(movie.Warnings.empty());
  EXPECT_EQ(movie.BackgroundColor, (TRgba{255, 255, 255, 255}));
  EXPECT_EQ(movie.FileAttributes, 0u);
  const TShape* shape = movie.Find<TShape>(1);
  ASSERT_NE(shape, nullptr);
  EXPECT_EQ(shape->Records.size(), 5u);
  TDisplayList list = ReplayTimeline(movie.Timeline, 0);
  ASSERT_EQ(list.Size(), 1u);
  const TDisplayObject* obj = list.At(1);
  ASSERT_NE(obj, nullptr);
  EXPECT_EQ(obj->CharacterId, 1);
  EXPECT_EQ(obj->Matrix.TX, 2000);
  EXPECT_EQ(obj->Matrix.TY, 1000);
  EXPECT_EQ(obj->Matrix.A, 65536);
}

TEST(SwfFile, ReadsThePlainCompressedAndLzmaForms) {
  std::vector<uint8_t> fws = SquareMovie();
  for (const auto& bytes : {fws, ToCws(fws), ToZws(fws)}) {
    SCOPED_TRACE(std::string(1, static_cast<char>(bytes[0])));
    TSwfFile file = TSwfFile::FromBytes(bytes);
    EXPECT_EQ(file.Header().Signature, static_cast<char>(bytes[0]));
    ExpectSquareMovie(file);
    // Offsets count in the uncompressed file, whatever the container.
    EXPECT_EQ(file.Tags()[3].Offset, 64u);
    EXPECT_TRUE(std::equal(fws.begin() + 8, fws.end(), file.Data().begin() + 8));
  }
}

TEST(SwfFile, UnreadableFilesThrowWithAReason) {
  std::vector<uint8_t> fws = SquareMovie();
  std::vector<uint8_t> badZlib = {'C', 'W', 'S', 8, 79, 0, 0, 0, 0x12, 0x34, 0x56, 0x78};
  std::vector<uint8_t> badLzma = {'Z', 'W', 'S', 13, 79, 0, 0, 0, 10, 0, 0, 0,
                                  0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4};
  std::vector<uint8_t> shortLzma = {'Z', 'W', 'S', 13, 79, 0, 0, 0, 10, 0};
  std::vector<uint8_t> noHeader(fws.begin(), fws.begin() + 12);
  std::vector<uint8_t> badSignature = fws;
  badSignature[1] = 'X';
  const std::vector<std::pair<std::string, std::vector<uint8_t>>> cases = {
      {"empty", {}},           {"signature only", {'F', 'W', 'S'}},
      {"bad signature", badSignature}, {"bad zlib", badZlib},
      {"bad lzma", badLzma},   {"short lzma header", shortLzma},
      {"cut header", noHeader},
  };
  for (const auto& [name, bytes] : cases) {
    SCOPED_TRACE(name);
    EXPECT_THROW(TSwfFile::FromBytes(bytes), TSwfError);
  }
  EXPECT_THROW(TSwfFile::FromFile("/nonexistent/movie.swf"), TSwfError);
}

TEST(SwfFile, TruncatedCompressedStreamKeepsWhatInflated) {
  // Dropping the stream's tail loses the last tags but keeps the first.
  std::vector<uint8_t> fws = SquareMovie();
  std::vector<uint8_t> cws = ToCws(fws);
  std::vector<uint8_t> cut(cws.begin(), cws.end() - 12);
  TSwfFile file = TSwfFile::FromBytes(cut);
  EXPECT_FALSE(file.Warnings().empty());
  EXPECT_LT(file.Data().size(), fws.size());
  EXPECT_GE(file.Tags().size(), 1u);
  EXPECT_EQ(file.Tags()[0].Code, 69);
}

TEST(SwfFile, CompressedDataBeyondTheFileLengthIsCut) {
  std::vector<uint8_t> cws = ToCws(SquareMovie());
  cws[4] = 40;  // the header now claims 40 bytes
  TSwfFile file = TSwfFile::FromBytes(cws);
  EXPECT_EQ(file.Data().size(), 40u);
  EXPECT_TRUE(AnyWarningHas(file.Warnings(), "more than the header's file length"));
}

TEST(SwfFile, LengthPastTheEndStopsAndKeepsEarlierTags) {
  std::vector<uint8_t> fws = SquareMovie();
  fws[64] = 0xBE;  // PlaceObject2 body length 9 → 62
  TSwfFile file = TSwfFile::FromBytes(fws);
  EXPECT_EQ(file.Tags().size(), 3u);
  EXPECT_TRUE(AnyWarningHas(file.Warnings(), "goes past the end"));
  TMovie movie = ParseMovie(file);
  EXPECT_NE(movie.Find<TShape>(1), nullptr);
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 0).Size(), 0u);
}

TEST(SwfFile, ABadTagIsSkippedAndTheRestIsRead) {
  // A shape claiming 60000 fill styles in a 10-byte body, then a good place.
  TSwfBitWriter huge;
  huge.U16(7);
  huge.Rect({0, 20, 0, 20});
  huge.U8(0xFF);
  huge.U16(60000);
  huge.U8(0);
  std::vector<uint8_t> good = Hex("1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 "
                                  "A1 F4 3A 5F 43 A2 0C 3A 60 C0 00");
  std::vector<uint8_t> fws = Movie({Tag(22, huge.Take()), good, PlaceNew(1, 7), PlaceNew(2, 1),
                                    ShowFrame()},
                                   1);
  TMovie movie = LoadMovie(fws);
  EXPECT_FALSE(movie.Has(7));
  EXPECT_TRUE(movie.Has(1));
  ASSERT_FALSE(movie.Warnings.empty());
  EXPECT_NE(movie.Warnings[0].find("60000 fill styles"), std::string::npos);
  EXPECT_NE(movie.Warnings[0].find("DefineShape2"), std::string::npos);
  // The placement of the missing character stays in the list; the player skips it.
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 0).Size(), 2u);
}

TEST(SwfFile, FrameCountZeroIsOneAndExtraFramesAreDropped) {
  std::vector<uint8_t> fws =
      Movie({PlaceNew(1, 1), ShowFrame(), PlaceNew(2, 1), ShowFrame(), ShowFrame()}, 0);
  TMovie movie = LoadMovie(fws);
  EXPECT_EQ(movie.Header.FrameCount, 0);
  EXPECT_EQ(movie.Timeline.FrameCount, 1u);
  EXPECT_EQ(movie.Timeline.Frames.size(), 1u);
  EXPECT_EQ(ReplayTimeline(movie.Timeline, 5).Size(), 1u);
}

// Random damage to a good movie and its compressed forms: every outcome is a movie or a
// TSwfError. Sanitizer builds turn any stray access into a failure here.
TEST(SwfFile, RandomDamageNeverCrashes) {
  std::mt19937 random(20240601);
  std::vector<uint8_t> fws = Movie(
      {Hex("1E 08 01 00 60 00 3E 80 00 3E 80 01 00 FF 00 00 FF 00 10 14 27 A1 F4 3A 5F 43 A2 0C "
           "3A 60 C0 00"),
       Hex("5C 08 03 00 58 00 7D 19 C0 32 00 00 01 09 8E 02 00 00 00 00 FF 90 01 90 01 02 3C 2D "
           "C0 00"),
       PlaceNew(1, 1), Hex("07 03 81 02 00 04 00 06 00"), ShowFrame(),
       Hex("90 06 0D 01 00 CD 00 00 20 00 00 00 69 00 40 10 02 00"), ShowFrame()},
      2);
  const std::vector<std::vector<uint8_t>> seeds = {fws, ToCws(fws), ToZws(fws)};
  int loaded = 0;
  for (int i = 0; i < 3000; ++i) {
    std::vector<uint8_t> bytes = seeds[i % seeds.size()];
    int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
      size_t at = 3 + random() % (bytes.size() - 3);
      switch (random() % 3) {
        case 0: bytes[at] = static_cast<uint8_t>(random()); break;
        case 1: bytes.resize(at); break;
        default: bytes.insert(bytes.begin() + at, static_cast<uint8_t>(random())); break;
      }
      if (bytes.size() <= 4) break;
    }
    try {
      TMovie movie = LoadMovie(bytes);
      for (uint32_t f = 0; f < std::min<uint32_t>(movie.Timeline.FrameCount, 64); ++f)
        ReplayTimeline(movie.Timeline, f);
      ++loaded;
    } catch (const TSwfError&) {
    }
  }
  EXPECT_GT(loaded, 100);
}

}  // namespace
}  // namespace swf::test
