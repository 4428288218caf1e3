// The shipped templates must be cards the program can load and render as they are.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "document/XMLUnit.h"
#include "CardTestFiles.h"

namespace {

const std::string SourceDir = GREETIX_SOURCE_DIR;

const std::vector<std::string> MovieElements = {"BgColor", "BgPic", "Width", "Height", "Rate", "TotalFrames",
                                                "Times", "FileSize", "MovieName", "Author", "Loop"};
const std::set<std::string> TextEffects = {"-- None --", "Come In", "Fade", "Heart Beat", "Kerning",
                                           "Move", "Radiation", "Rainbow", "Roll In", "Rotate"};
const std::vector<std::string> NewTextOrder = {"Content", "TextUnit", "FontName", "FontSize", "FontColor",
                                               "PositionX", "PositionY", "EffectName", "EffectValue"};

std::vector<std::string> ChildNames(pugi::xml_node element)
{
  std::vector<std::string> names;
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) names.push_back(child.name());
  }
  return names;
}

// Media paths in templates are relative to the program's folder, which holds the same
// template/ and library/ folders as the source tree.
std::string MediaPath(const std::string& relative) { return SourceDir + "/" + relative; }

// Width and height from the first start-of-frame marker of a JPEG file.
std::pair<int, int> JpegSize(const std::string& bytes)
{
  for (std::size_t i = 2; i + 9 < bytes.size();) {
    if (static_cast<unsigned char>(bytes[i]) != 0xFF) return {0, 0};
    unsigned marker = static_cast<unsigned char>(bytes[i + 1]);
    unsigned length = static_cast<unsigned char>(bytes[i + 2]) << 8 | static_cast<unsigned char>(bytes[i + 3]);
    if (marker >= 0xC0 && marker <= 0xC2) {
      auto byte = [&](std::size_t at) { return static_cast<int>(static_cast<unsigned char>(bytes[at])); };
      return {byte(i + 7) << 8 | byte(i + 8), byte(i + 5) << 8 | byte(i + 6)};
    }
    i += 2 + length;
  }
  return {0, 0};
}

void CheckTemplate(const std::string& name, int expectedObjects)
{
  SCOPED_TRACE(name);
  const std::string path = SourceDir + "/template/" + name;
  const std::string original = ReadBytes(path);
  TXMLCardDocument document(path);
  TXMLMovie movie = BindMovie(document);

  // Every Movie element is present before anything is read (reading would create it).
  for (const std::string& element : MovieElements) {
    EXPECT_TRUE(document.DocumentElement().child(element.c_str())) << element;
  }
  EXPECT_GT(movie.Width(), 0);
  EXPECT_GT(movie.Height(), 0);
  EXPECT_GT(movie.Rate(), 0);
  EXPECT_GT(movie.TotalFrames(), 0);
  EXPECT_NO_THROW(movie.Times());
  EXPECT_NO_THROW(movie.FileSize());
  EXPECT_TRUE(ParseColourText(movie.BgColor()).has_value());
  EXPECT_TRUE(ParseBooleanText(movie.Loop()));
  if (!movie.BgPic().empty()) EXPECT_TRUE(std::filesystem::exists(MediaPath(movie.BgPic()))) << movie.BgPic();

  TXMLObjList objects = movie.Obj();
  ASSERT_EQ(objects.Count(), expectedObjects);
  std::set<std::string> names;
  for (int i = 0; i < objects.Count(); ++i) {
    TXMLObj obj = objects.Item(i);
    SCOPED_TRACE(obj.ObjName());
    EXPECT_TRUE(names.insert(obj.ObjName()).second) << "duplicate name";
    EXPECT_EQ(obj.Layer(), 2);
    EXPECT_LE(obj.StartTime(), obj.EndTime());
    EXPECT_LT(obj.EndTime(), movie.TotalFrames());
    const std::string kind = obj.ObjTypeName();
    EXPECT_TRUE(obj.ObjName().starts_with(kind));
    if (kind == "Text") {
      TXMLObjText text = obj.ObjType().ObjText();
      EXPECT_EQ(ChildNames(text.Element()), NewTextOrder);
      EXPECT_FALSE(text.Content().empty());
      EXPECT_EQ(text.TextUnit(), 1);
      EXPECT_GE(text.FontSize(), 8);
      EXPECT_TRUE(ParseColourText(text.FontColor()).has_value());
      EXPECT_TRUE(TextEffects.count(text.EffectName())) << text.EffectName();
      EXPECT_GE(text.PositionX(), 0);
      EXPECT_LT(text.PositionY(), movie.Height());
    } else if (kind == "Pic") {
      TXMLObjPic pic = obj.ObjType().ObjPic();
      EXPECT_EQ(pic.EffectName(), "-- None --");
      auto [width, height] = JpegSize(ReadBytes(MediaPath(pic.Content())));
      EXPECT_EQ(width, pic.Width());
      EXPECT_EQ(height, pic.Height());
      EXPECT_LE(pic.PositionX() + pic.Width(), movie.Width());
      EXPECT_LE(pic.PositionY() + pic.Height(), movie.Height());
    } else {
      ASSERT_EQ(kind, "Sound");
      // The renderer plays the converted copy beside the chosen file: 16-bit mono WAV.
      std::string wav = ReadBytes(MediaPath(obj.ObjType().ObjSound().Content() + "_tmp.wav"));
      ASSERT_GT(wav.size(), 44u);
      EXPECT_EQ(wav.substr(0, 4), "RIFF");
      EXPECT_EQ(wav[22], 1);  // channels
      EXPECT_EQ(wav[34], 16); // bits per sample
    }
  }
  // Reading created nothing new, so the template saves back unchanged.
  EXPECT_EQ(document.SaveToXml(), original);
}

} // namespace

TEST(Templates, BlankIsAnEmptyCard) { CheckTemplate("blank.grx", 0); }

TEST(Templates, BirthdayIsACompleteCard) { CheckTemplate("birthday.grx", 10); }
