// Objects a render refuses (too costly, or failing on their own): each is named in a
// message, what it placed is ended, and the objects after it are placed as usual.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/wait.h>

#include "CardFiles.h"
#include "render/RecordingBuilder.h"
#include "render/RenderBudget.h"
#include "swf/reader/MovieParser.h"
#include "tools/CardRender.h"

namespace {

class TCollectedMessages : public IUserMessages {
public:
  void ShowError(const std::string& text) override { Texts.push_back(text); }
  std::vector<std::string> Texts;
};

struct TRun {
  TRecordingBuilder Builder;
  TCollectedMessages Messages;
};

std::unique_ptr<TRun> Render(const TScratch& scratch, const std::string& cardXml)
{
  auto run = std::make_unique<TRun>();
  WriteAll(scratch.File("card.grx"), cardXml);
  TCardRenderOptions options;
  options.CardFile = scratch.File("card.grx");
  options.OutputFile = scratch.File("out.swf");
  RenderCardFile(options, run->Builder.Movie, run->Builder.Object, run->Builder.Action, &run->Messages);
  return run;
}

std::vector<std::string> MadeTexts(const TRecording& recording)
{
  std::vector<std::string> texts;
  for (const auto& call : recording.Named("MakeTextSimple")) texts.push_back(call.Texts.at(1));
  return texts;
}

bool Mentions(const std::vector<std::string>& messages, const std::string& part)
{
  for (const auto& message : messages)
    if (message.find(part) != std::string::npos) return true;
  return false;
}

} // namespace

TEST(RefusedObject, TheObjectsAfterARefusedTextAreStillPlaced)
{
  TScratch scratch;
  const std::string endless(TRenderLimits().TextLength + 1, 'x');
  // Text2: too many letters for its effect over its frames; Text3: too long a text at all.
  auto run = Render(scratch, CardXml({{"-- None --", 0, 9, 10, 10, "Before"},
                                      {"Rainbow", 0, 999, 10, 10, std::string(500, 'y')},
                                      {"-- None --", 0, 9, 10, 10, endless},
                                      {"Fade", 0, 9, 10, 10, "After"}},
                                     10));
  // The card is rendered until its frame count settles: each pass places the same two.
  const std::vector<std::string> made = MadeTexts(run->Builder.Recording);
  ASSERT_FALSE(made.empty());
  for (std::size_t i = 0; i < made.size(); ++i) EXPECT_EQ(made[i], i % 2 ? "After" : "Before");
  EXPECT_TRUE(Mentions(run->Messages.Texts, "\"Text2\" is left out of the movie"));
  EXPECT_TRUE(Mentions(run->Messages.Texts, "\"Text3\" is left out of the movie"));
  EXPECT_FALSE(Mentions(run->Messages.Texts, "Text1"));
  EXPECT_FALSE(Mentions(run->Messages.Texts, "Text4"));
}

TEST(RefusedObject, TheCommandLineSaysSoAndStillWritesTheRest)
{
  TScratch scratch;
  WriteAll(scratch.File("card.grx"), CardXml({{"Rainbow", 0, 60000, 10, 10, std::string(100, 'y')},
                                              {"-- None --", 0, 9, 10, 10, "After"}},
                                             10));
  const std::string command = std::string(GREETIX_CLI) + " render " + scratch.File("card.grx") + " -o " +
                              scratch.File("out.swf") + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  char buffer[256];
  while (pipe && fgets(buffer, sizeof buffer, pipe)) output += buffer;
  const int status = pipe ? pclose(pipe) : -1;
  EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1) << output;
  // Told once, although the card is rendered more than once.
  EXPECT_EQ(output.find("\"Text1\" is left out"), output.rfind("\"Text1\" is left out")) << output;
  EXPECT_NE(output.find("\"Text1\" is left out"), std::string::npos) << output;
  const swf::TMovie movie = swf::LoadMovieFile(scratch.File("out.swf"));
  EXPECT_EQ(movie.Header.FrameCount, 10);
  EXPECT_EQ(movie.Characters.size(), 1u); // the second text's shape
}
