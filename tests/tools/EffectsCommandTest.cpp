// greetix-cli effects, and a card with one text per effect rendered into a movie the
// reader takes.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "CardFiles.h"
#include "CliRun.h"
#include "swf/reader/MovieParser.h"

TEST(EffectsCommand, ListsEveryEffectWithItsFamilyAndACardOfThemAllRenders)
{
  const TCliOutcome listed = RunGreetixCli("effects");
  ASSERT_EQ(listed.Status, 0) << listed.Output;
  std::map<std::string, int> perFamily;
  std::vector<TCardText> texts;
  std::istringstream lines(listed.Output);
  for (std::string line; std::getline(lines, line);) {
    const auto tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos) << line;
    ++perFamily[line.substr(0, tab)];
    const int n = static_cast<int>(texts.size());
    texts.push_back({line.substr(tab + 1), 0, 40, 10 + (n % 4) * 150, 10 + (n / 4) * 25, "Hi there"});
  }
  EXPECT_EQ(perFamily["Classic"], 10);
  EXPECT_GE(perFamily["Entrance"] + perFamily["Exit"] + perFamily["Emphasis"], 40);
  EXPECT_EQ(RunGreetixCli("effects extra").Status, 2);

  TScratch scratch;
  WriteAll(scratch.File("all.grx"), CardXml(texts, 41, false, 640, 500));
  const TCliOutcome rendered =
      RunGreetixCli("render " + scratch.File("all.grx") + " -o " + scratch.File("all.swf") + " --seed 3");
  ASSERT_EQ(rendered.Status, 0) << rendered.Output;
  const auto movie = swf::LoadMovieFile(scratch.File("all.swf"));
  EXPECT_GE(movie.Header.FrameCount, 41);
}
