// A card with sounds rendered into a real movie: the chosen sound is imported as the editor
// does, the card's objects render through the SWF builder, and the written movie is read
// back: each sound starts where the render stood, and our player decodes exactly the
// imported samples. With GREETIX_SWFSHOT naming the independent player's check script,
// that player must accept the movie too.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "RenderFixture.h"
#include "player/audio/SoundDecoder.h"
#include "plugins/SoundFixtures.h"
#include "plugins/SoundImport.h"
#include "render/FlashObj.h"
#include "render/FlashObjRegistry.h"
#include "swf/builder/SwfAction.h"
#include "swf/builder/SwfMovie.h"
#include "swf/builder/SwfObject.h"
#include "swf/reader/MovieParser.h"

namespace {

// Renders the fixture's card into `path` with the real builder, as the card does: stage at
// frame 0, then every object by its kind in document order.
void RenderMovie(TRenderFixture& fixture, const std::string& path)
{
  swf::TSwfMovie movie;
  swf::TSwfObject object;
  swf::TSwfAction action;
  fixture.Ctx.SwfMovie = &movie;
  fixture.Ctx.SwfObject = &object;
  fixture.Ctx.SwfAction = &action;
  movie.SetSize(420 * 20, 180 * 20);
  movie.SetFrameRate(15);
  movie.SetFrameBkColor(255, 255, 255);
  movie.GotoFrame(0);
  TXMLObjList objects = fixture.Ctx.Movie().Obj();
  for (int i = 0; i < objects.Count(); ++i) {
    std::unique_ptr<TFlashObj> renderer = TFlashObjRegistry::Create(objects.Item(i).ObjTypeName(), fixture.Ctx);
    renderer->Render(i);
  }
  movie.WriteMovie(path);
  fixture.Ctx.SwfMovie = nullptr;
  fixture.Ctx.SwfObject = nullptr;
  fixture.Ctx.SwfAction = nullptr;
}

} // namespace

TEST(SoundMovie, ImportedSoundsPlayBackFromTheMovieAtTheirOwnFirstFrames)
{
  plugins::test::TTempFolder folder;
  const std::string source = folder / "party.wav";
  plugins::test::WriteSineWav(source, 48000, 2, 0.6); // resampled and mixed down by the import
  plugins::ImportSound(source, nullptr);
  const std::vector<short> imported = plugins::test::ReadSamples(source + "_tmp.wav");
  ASSERT_FALSE(imported.empty());

  // The sound at frame 0, a text from 0 to 23, the sound again from frame 12.
  TTextSpec text;
  text.End = 23;
  TRenderFixture fixture(SoundObjXml("Sound1", source) + TextObjXml(text) + SoundObjXml("Sound2", source, 12));
  fixture.Preview.Total = 100;
  const std::string moviePath = folder / "card.swf";
  RenderMovie(fixture, moviePath);

  const swf::TMovie movie = swf::LoadMovieFile(moviePath);
  EXPECT_TRUE(movie.Warnings.empty());
  ASSERT_EQ(movie.Timeline.Frames.size(), 25u);
  std::vector<int> soundFrames;
  for (std::size_t frame = 0; frame < movie.Timeline.Frames.size(); ++frame) {
    for (const swf::TStartSound& start : movie.Timeline.Frames[frame].Sounds) {
      soundFrames.push_back(static_cast<int>(frame));
      const swf::TSound* sound = movie.Find<swf::TSound>(start.SoundId);
      ASSERT_NE(sound, nullptr);
      const player::TPcmSound pcm = player::DecodeSound(sound->Format, sound->SampleCount, sound->Data.data(),
                                                        sound->Data.size());
      EXPECT_EQ(pcm.Rate, 44100);
      EXPECT_EQ(pcm.Channels, 1);
      EXPECT_TRUE(pcm.Samples == std::vector<int16_t>(imported.begin(), imported.end()));
    }
  }
  EXPECT_EQ(soundFrames, (std::vector<int>{0, 12}));

  // The independent player loads the movie without a complaint.
  if (const char* swfshot = std::getenv("GREETIX_SWFSHOT")) {
    const std::string command = std::string("'") + swfshot + "' '" + moviePath + "' '" + (folder / "shots") +
                                "' --frames 0 >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
  }
}

TEST(SoundMovie, ASoundTheBuilderRefusesIsLeftOutAndTheRestRenders)
{
  plugins::test::TTempFolder folder;
  // A stereo working file, as a file copied by hand would be: refused by the builder.
  const std::string stereo = folder / "stereo.wav";
  plugins::test::WriteSineWav(stereo + "_tmp.wav", 22050, 2, 0.2);
  TTextSpec text;
  TRenderFixture fixture(SoundObjXml("Sound1", stereo) + TextObjXml(text) +
                         SoundObjXml("Sound2", folder / "missing.wav"));
  fixture.Preview.Total = 100;
  testing::internal::CaptureStderr();
  RenderMovie(fixture, folder / "card.swf");
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "Please select a sound file with 16Bits mono format!\n"
                  "The sound file " + (folder / "missing.wav") + " is missing.\n");

  const swf::TMovie movie = swf::LoadMovieFile(folder / "card.swf");
  EXPECT_TRUE(movie.Warnings.empty());
  for (const auto& frame : movie.Timeline.Frames) EXPECT_TRUE(frame.Sounds.empty());
  for (const auto& [id, character] : movie.Characters) EXPECT_FALSE(std::holds_alternative<swf::TSound>(character));
  // The text is there all the same.
  EXPECT_FALSE(movie.Timeline.Frames.at(0).DisplayTags.empty());
}
