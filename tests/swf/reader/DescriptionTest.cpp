// The readable account of a movie that "greetix-cli info" prints.
#include <gtest/gtest.h>

#include "swf/reader/MovieDescription.h"
#include "swf/reader/TagVectors.h"
#include "swf/reader/TestMovies.h"

namespace swf::test {
namespace {

TEST(Description, TextListsHeaderTagsAndEachFrame) {
  std::string text = DescribeMovie(TSwfFile::FromBytes(SquareMovie()));
  EXPECT_NE(text.find("Movie: FWS version 8, file length 79"), std::string::npos) << text;
  EXPECT_NE(text.find("Stage: 550 x 400 px"), std::string::npos);
  EXPECT_NE(text.find("Frame rate: 24 fps"), std::string::npos);
  EXPECT_NE(text.find("Background: #FFFFFF"), std::string::npos);
  EXPECT_NE(text.find("DefineShape3 (32) size 30 at 32"), std::string::npos);
  EXPECT_NE(text.find("PlaceObject2 (26) size 9 at 64"), std::string::npos);
  EXPECT_NE(text.find("Frame 0:\n  depth 1: id 1 matrix [1 0 0 1 2000 1000] cxform none"),
            std::string::npos);
  EXPECT_EQ(text.find("Warnings"), std::string::npos);
}

// The label holds a quote, a Latin-1 byte (not UTF-8) and a UTF-8 "é".
TEST(Description, JsonCarriesTheSameFacts) {
  std::vector<uint8_t> fws = Movie({PlaceNew(1, 1), ShowFrame(),
                                    Hex("90 06 0D 01 00 CD 00 00 20 00 00 00 69 00 40 10 02 00"),
                                    Tag(43, {'a', '"', 0xE9, 0xC3, 0xA9, 0}), ShowFrame()},
                                   2);
  std::string json = DescribeMovie(TSwfFile::FromBytes(ToCws(fws)), true);
  EXPECT_EQ(json.rfind("{\"signature\":\"CWS\",\"version\":8,", 0), 0u) << json;
  EXPECT_NE(json.find("\"frameRate\":24,\"frameCount\":2"), std::string::npos);
  EXPECT_NE(json.find("{\"name\":\"PlaceObject2\",\"code\":26,"), std::string::npos);
  EXPECT_NE(json.find("{\"frame\":1,\"label\":\"a\\\"\\u00e9\xC3\xA9\",\"displayList\":[{\"depth\":1,\"id\":1,"
                      "\"matrix\":{\"a\":2,\"b\":0,\"c\":0,\"d\":2,\"tx\":0,\"ty\":0},"
                      "\"cxform\":{\"mult\":[256,256,256,128],\"add\":[0,0,0,0]}}]}"),
            std::string::npos);
  EXPECT_NE(json.find("\"warnings\":[]}"), std::string::npos);
}

}  // namespace
}  // namespace swf::test
