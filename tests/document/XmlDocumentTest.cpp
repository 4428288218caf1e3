#include <gtest/gtest.h>

#include "document/XMLUnit.h"
#include "document/XmlSourceText.h"
#include "CardTestFiles.h"
#include "support/FileSizeLimit.h"

namespace {

std::string Utf16Le(const std::string& ascii)
{
  std::string out = "\xFF\xFE";
  for (char c : ascii) {
    out += c;
    out += '\0';
  }
  return out;
}

int FilesIn(const std::filesystem::path& folder)
{
  int count = 0;
  for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
  return count;
}

} // namespace

TEST(XmlDocument, UnchangedFileIsSavedByteForByte)
{
  TTempFolder folder;
  const std::string path = folder.File("card.grx");
  const std::string original = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- my card -->\n"
                               "<Movie>\n  <Width>420</Width>\n  <BgPic/>\n</Movie>\n";
  WriteBytes(path, original);
  TXMLCardDocument document(path);
  BindMovie(document).Width();
  document.Save();
  EXPECT_EQ(ReadBytes(path), original);
  EXPECT_EQ(FilesIn(folder.Path()), 1); // no temporary file left behind
}

TEST(XmlDocument, SaveAddsNeitherDeclarationNorWhiteSpace)
{
  TTempFolder folder;
  const std::string path = folder.File("card.grx");
  WriteBytes(path, "<Movie><Width>1</Width></Movie>");
  TXMLCardDocument document(path);
  TXMLMovie movie = BindMovie(document);
  movie.SetHeight(2);
  movie.Obj().Add().SetObjName("Text1");
  document.Save();
  EXPECT_EQ(ReadBytes(path), "<Movie><Width>1</Width><Height>2</Height><Obj><ObjName>Text1</ObjName></Obj></Movie>");
}

TEST(XmlDocument, NotWellFormedFileGivesLineAndColumnAndStaysUntouched)
{
  TTempFolder folder;
  const std::string path = folder.File("broken.grx");
  const std::string broken = "<?xml version=\"1.0\"?>\n<Movie>\n  <Wïdth>420</Width>\n</Movie>";
  WriteBytes(path, broken);
  TXMLCardDocument document(path);
  try {
    document.Load();
    FAIL() << "loaded a broken file";
  } catch (const TXMLParseError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_EQ(error.Column(), 15); // the name in </Width>, counted in characters, not bytes
    EXPECT_NE(std::string(error.what()).find("broken.grx"), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("(line 3, column 15)"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(document.Loaded());
  EXPECT_THROW(BindMovie(document), TXMLParseError);
  EXPECT_THROW(document.Save(), TXMLError); // an unloaded document never overwrites the file
  EXPECT_EQ(ReadBytes(path), broken);
}

TEST(XmlDocument, FailedReloadLeavesTheDocumentUnloaded)
{
  TTempFolder folder;
  const std::string path = folder.File("card.grx");
  WriteBytes(path, "<Movie><Width>1</Width></Movie>");
  TXMLCardDocument document(path);
  document.Load();
  WriteBytes(path, "<Movie><Width>1</Width>");
  EXPECT_THROW(document.Load(), TXMLParseError);
  EXPECT_FALSE(document.Loaded());
  EXPECT_THROW(document.Save(), TXMLError);
  EXPECT_EQ(ReadBytes(path), "<Movie><Width>1</Width>");
}

TEST(XmlDocument, TopLevelMustBeOneElement)
{
  TXMLCardDocument document;
  for (const char* bad : {"", "<?xml version=\"1.0\"?>", "<Movie/><Movie/>", "<Movie/>\ntext", "hello",
                          "<Movie/><?xml version=\"1.0\"?>"}) {
    EXPECT_THROW(document.LoadFromXml(bad), TXMLParseError) << bad;
    EXPECT_FALSE(document.Loaded());
  }
  try {
    document.LoadFromXml("<Movie/>\n\n  <Movie/>");
    FAIL();
  } catch (const TXMLParseError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_EQ(error.Column(), 4);
  }
}

TEST(XmlDocument, MissingFileAndFolderAreClearErrors)
{
  TTempFolder folder;
  TXMLCardDocument missing(folder.File("nothing.grx"));
  try {
    missing.Load();
    FAIL();
  } catch (const TXMLError& error) {
    EXPECT_NE(std::string(error.what()).find("nothing.grx"), std::string::npos);
    EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(missing.Loaded());
  TXMLCardDocument dir(folder.Path().string());
  EXPECT_THROW(dir.Load(), TXMLError);
}

TEST(XmlDocument, FailedSaveThrowsAndKeepsWhatWasThere)
{
  TTempFolder folder;
  std::filesystem::create_directory(folder.File("taken.grx"));
  TXMLCardDocument document;
  document.LoadFromXml("<Movie/>");
  document.SetFileName(folder.File("taken.grx")); // a folder stands where the file should go
  try {
    document.Save();
    FAIL();
  } catch (const TXMLError& error) {
    EXPECT_NE(std::string(error.what()).find("Could not save the card file"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(folder.File("taken.grx")));
  EXPECT_EQ(FilesIn(folder.Path()), 1);

  document.SetFileName(folder.File("no/such/folder/card.grx"));
  EXPECT_THROW(document.Save(), TXMLError);
}

TEST(XmlDocument, Utf16FileIsReadAndWrittenBackAsUtf16)
{
  TTempFolder folder;
  const std::string path = folder.File("wide.grx");
  // "Grüße" as UTF-16LE: ü is FC 00, ß is DF 00.
  std::string bytes = Utf16Le("<?xml version=\"1.0\" encoding=\"UTF-16\"?><Movie><Author>Gr");
  bytes += std::string("\xFC\0\xDF\0", 4) + Utf16Le("e</Author></Movie>").substr(2);
  WriteBytes(path, bytes);
  TXMLCardDocument document(path);
  TXMLMovie movie = BindMovie(document);
  EXPECT_EQ(movie.Author(), "Grüße");
  document.Save();
  EXPECT_EQ(ReadBytes(path), bytes);

  movie.SetRate(12);
  document.Save();
  std::string saved = ReadBytes(path);
  EXPECT_TRUE(saved.starts_with("\xFF\xFE<\0?\0"));
  EXPECT_TRUE(saved.ends_with(Utf16Le("<Rate>12</Rate></Movie>").substr(2)));
}

TEST(XmlDocument, ParseErrorPositionInUtf16File)
{
  TXMLCardDocument document;
  try {
    document.LoadFromXml(Utf16Le("<Movie>\n<A>1</A>\n<B></Movie>"));
    FAIL();
  } catch (const TXMLParseError& error) {
    EXPECT_EQ(error.Line(), 3);
    EXPECT_EQ(error.Column(), 6);
  }
}

TEST(XmlDocument, Latin1FileKeepsItsEncodingUntilItCannot)
{
  TXMLCardDocument document;
  const std::string latin1 = "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Movie><Author>Ren\xE9</Author></Movie>";
  document.LoadFromXml(latin1);
  TXMLMovie movie = BindMovie(document);
  EXPECT_EQ(movie.Author(), "René");
  EXPECT_EQ(document.SaveToXml(), latin1);
  // A character Latin-1 lacks would be lost: the file becomes UTF-8 and says so.
  movie.SetMovieName("5 €");
  EXPECT_EQ(document.SaveToXml(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Movie><Author>René</Author>"
                                  "<MovieName>5 €</MovieName></Movie>");
  movie.SetMovieName("5 EUR");
  EXPECT_NE(document.SaveToXml().find("<Author>René</Author>"), std::string::npos);
}

TEST(XmlDocument, SavingThroughALinkReplacesItsTarget)
{
  TTempFolder folder;
  WriteBytes(folder.File("real.grx"), "<Movie/>");
  std::filesystem::create_symlink(folder.File("real.grx"), folder.File("link.grx"));
  TXMLCardDocument document(folder.File("link.grx"));
  BindMovie(document).SetRate(5);
  document.Save();
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("link.grx")));
  EXPECT_EQ(ReadBytes(folder.File("real.grx")), "<Movie><Rate>5</Rate></Movie>");
}

TEST(XmlSourceText, LineAndColumnOfOffsets)
{
  EXPECT_EQ(PositionOfOffset("ab\ncd", 4).Line, 2);
  EXPECT_EQ(PositionOfOffset("ab\ncd", 4).Column, 2);
  EXPECT_EQ(PositionOfOffset("a\r\nb\rc", 5).Line, 3);
  EXPECT_EQ(PositionOfOffset("a\r\nb\rc", 5).Column, 1);
  EXPECT_EQ(PositionOfOffset("\xEF\xBB\xBF" "ab", 4).Column, 2);
  EXPECT_EQ(PositionOfOffset("xy", 99).Column, 3); // clamped to the end
}

TEST(XmlDocument, ASaveThatMeetsAFullDiskFailsAndKeepsTheOldCard)
{
  TTempFolder folder;
  const std::string path = folder.File("card.grx");
  const std::string old = "<Movie><Width>300</Width></Movie>";
  WriteBytes(path, old);
  TXMLCardDocument document(path);
  document.Load();
  document.LoadFromXml("<Movie><Width>300</Width><Author>" + std::string(500, 'a') + "</Author></Movie>");
  document.SetFileName(path);
  {
    TFileSizeLimit full(100);
    EXPECT_THROW(document.Save(), TXMLError);
  }
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(FilesIn(folder.Path()), 1);
}

TEST(XmlDocument, AFileBeyondTheLimitIsRefusedUnread)
{
  TTempFolder folder;
  const std::string path = folder.File("huge.grx");
  WriteBytes(path, "<Movie><Author>" + std::string(TXMLCardDocument::MaxFileSize, 'a') + "</Author></Movie>");
  TXMLCardDocument document(path);
  try {
    document.Load();
    FAIL();
  } catch (const TXMLError& error) {
    EXPECT_NE(std::string(error.what()).find("too large"), std::string::npos) << error.what();
  }
  EXPECT_FALSE(document.Loaded());
}

// A save of unchanged bytes may be skipped, but never over a file someone else replaced,
// changed or removed since the last save.
TEST(XmlDocument, ASaveAfterTheFileChangedWritesItAgain)
{
  TTempFolder folder;
  const std::string path = folder.File("card.grx");
  WriteBytes(path, "<Movie><Width>420</Width></Movie>");
  TXMLCardDocument document(path);
  BindMovie(document).SetWidth(300);
  document.Save();
  const std::string saved = ReadBytes(path);
  document.Save();
  EXPECT_EQ(ReadBytes(path), saved);

  WriteBytes(path, "<Movie><Width>1</Width></Movie>");
  document.Save();
  EXPECT_EQ(ReadBytes(path), saved);

  std::filesystem::remove(path);
  document.Save();
  EXPECT_EQ(ReadBytes(path), saved);

  BindMovie(document).SetWidth(200);
  document.Save();
  EXPECT_NE(ReadBytes(path), saved);
}
