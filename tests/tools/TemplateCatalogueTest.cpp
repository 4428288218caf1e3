// The templates of the New Cards guide as a user meets them: each one, filled with a long
// name, exports to a movie, a video and an animation without a warning, keeps its texts on
// the stage and stays small enough to send.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "CliRun.h"
#include "bulk/StageFit.h"

namespace {

namespace fs = std::filesystem;

const std::string LongName = "Maximilian Alexander"; // 20 characters
constexpr std::uintmax_t LargestMovie = 400 * 1024;

fs::path TemplateFolder() { return fs::path(GREETIX_SOURCE_DIR) / "template"; }

// Every card file below the template folder except the blank card, by path from that folder.
std::vector<std::string> Templates()
{
  std::vector<std::string> found;
  for (const auto& entry : fs::recursive_directory_iterator(TemplateFolder()))
    if (entry.path().extension() == ".grx" && entry.path().filename() != "blank.grx")
      found.push_back(entry.path().lexically_relative(TemplateFolder()).generic_string());
  std::sort(found.begin(), found.end());
  return found;
}

// A path as one shell word (template folders have names such as "Valentine's Day").
std::string Quoted(const fs::path& path)
{
  std::string quoted = "'";
  for (char c : path.string()) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class TScratch {
public:
  TScratch() : Folder(fs::temp_directory_path() / ("greetix-templates-" + std::to_string(getpid())))
  {
    fs::create_directories(Folder);
  }
  ~TScratch() { fs::remove_all(Folder); }
  const fs::path Folder;
};

class TemplateTest : public testing::TestWithParam<std::string> {};

TEST_P(TemplateTest, ExportsWithALongNameWithoutAWarning)
{
  const fs::path card = TemplateFolder() / GetParam();
  const std::string fields = " --set 'Name=" + LongName + "' --set 'From=" + LongName + "'";
  TScratch scratch;
  for (const char* extension : {".swf", ".mp4", ".gif"}) {
    const fs::path out = scratch.Folder / (std::string("card") + extension);
    // Videos and animations at a small size: the pictures differ, the path through the code does not.
    const std::string size = std::string(extension) == ".swf" ? "" : " --width 160";
    const TCliOutcome outcome = RunGreetixCli("export " + Quoted(card) + " -o " + Quoted(out) + fields + size);
    EXPECT_EQ(outcome.Status, 0) << extension << ": " << outcome.Output;
    EXPECT_EQ(outcome.Output.find("warning"), std::string::npos) << extension << ": " << outcome.Output;
    ASSERT_TRUE(fs::exists(out)) << extension;
    if (std::string(extension) == ".swf") EXPECT_LT(fs::file_size(out), LargestMovie);
  }
  TStageFit fit(card.string());
  const std::vector<std::string> off = fit.TextsOffStage({{"Name", LongName}, {"From", LongName}});
  EXPECT_TRUE(off.empty()) << off.front() << " runs off the stage";
}

// What makes a template a card to send: it loops for 10 to 20 seconds over a background,
// with a picture and a tune, and greets someone by {Name} from {From}.
TEST_P(TemplateTest, IsACompleteCardForAList)
{
  pugi::xml_document document;
  ASSERT_TRUE(document.load_file((TemplateFolder() / GetParam()).c_str()));
  const pugi::xml_node movie = document.child("Movie");
  EXPECT_STREQ(movie.child_value("Loop"), "true");
  const double seconds = movie.child("TotalFrames").text().as_double() / movie.child("Rate").text().as_double();
  EXPECT_GE(seconds, 10.0);
  EXPECT_LE(seconds, 20.0);
  EXPECT_STRNE(movie.child_value("BgPic"), "");
  std::set<std::string> kinds;
  std::string texts;
  for (pugi::xml_node object : movie.children("Obj")) {
    kinds.insert(object.child_value("ObjTypeName"));
    texts += object.child("ObjType").child("ObjText").child_value("Content");
  }
  EXPECT_EQ(kinds, (std::set<std::string>{"Pic", "Sound", "Text"}));
  if (GetParam() != "birthday.grx") {
    EXPECT_NE(texts.find("{Name}"), std::string::npos);
    EXPECT_NE(texts.find("{From}"), std::string::npos);
  }
}

std::string TestName(const testing::TestParamInfo<std::string>& info)
{
  std::string name;
  for (char c : info.param.substr(0, info.param.size() - 4)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, TemplateTest, testing::ValuesIn(Templates()), TestName);

TEST(TemplateCatalogue, OffersManyOccasions)
{
  std::set<std::string> occasions;
  for (const std::string& file : Templates())
    if (file.find('/') != std::string::npos) occasions.insert(file.substr(0, file.find('/')));
  EXPECT_GE(Templates().size(), 24u);
  EXPECT_GE(occasions.size(), 12u);
}

TEST(TemplateCatalogue, ExportFillsTheFieldsItIsGiven)
{
  TScratch scratch;
  const fs::path card = TemplateFolder() / "Christmas" / "snowy-night.grx";
  const fs::path plain = scratch.Folder / "plain.swf", named = scratch.Folder / "named.swf";
  ASSERT_EQ(RunGreetixCli("export " + Quoted(card) + " -o " + Quoted(plain)).Status, 0);
  ASSERT_EQ(RunGreetixCli("export " + Quoted(card) + " -o " + Quoted(named) + " --set Name=Ann").Status, 0);
  EXPECT_NE(fs::file_size(plain), fs::file_size(named));

  const TCliOutcome movie = RunGreetixCli("export " + Quoted(plain) + " -o " + Quoted(scratch.Folder / "again.swf") +
                                          " --set Name=Ann");
  EXPECT_EQ(movie.Status, 2);
  EXPECT_NE(movie.Output.find("--set fills the fields of a card"), std::string::npos) << movie.Output;
  EXPECT_EQ(RunGreetixCli("export " + Quoted(card) + " -o x.swf --set =Ann").Status, 2);
}

// A misspelt effect would leave its text still: every effect a template names is one the
// program offers, and a text's own entrance comes before an effect of the newer kinds.
TEST(TemplateCatalogue, NamesOnlyEffectsTheProgramHas)
{
  const TCliOutcome listed = RunGreetixCli("effects");
  ASSERT_EQ(listed.Status, 0) << listed.Output;
  std::map<std::string, std::string> families; // name -> family
  std::istringstream lines(listed.Output);
  for (std::string line; std::getline(lines, line);)
    if (const std::size_t tab = line.find('\t'); tab != std::string::npos) families[line.substr(tab + 1)] = line.substr(0, tab);
  int newer = 0;
  for (const std::string& file : Templates()) {
    SCOPED_TRACE(file);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_file((TemplateFolder() / file).c_str()));
    for (pugi::xml_node object : document.child("Movie").children("Obj")) {
      const pugi::xml_node text = object.child("ObjType").child("ObjText");
      if (!text) continue;
      const std::string effect = text.child_value("EffectName");
      ASSERT_TRUE(families.count(effect)) << effect;
      newer += families[effect] != "Classic";
      if (const pugi::xml_node entrance = text.child("EntranceEffect")) {
        EXPECT_EQ(families[entrance.text().get()], "Entrance") << entrance.text().get();
        EXPECT_NE(families[effect], "Classic") << effect << " plays without its entrance";
      }
    }
  }
  EXPECT_GE(newer, 20); // the catalogue shows the newer effects off, not only the ten
}

} // namespace
