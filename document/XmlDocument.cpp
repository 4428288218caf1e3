#include "document/XmlDocument.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "document/LegacyCharset.h"
#include "document/XmlSourceText.h"
#include "platform/AtomicFile.h"
#include "platform/InputFile.h"

namespace fs = std::filesystem;

namespace {

// Keep every byte of the file that carries meaning: declaration, comments, white space
// between elements and white space inside values. Fragment mode keeps the white space
// outside the root; the rules it relaxes are checked by CheckTopLevel.
constexpr unsigned ParseOptions = pugi::parse_full | pugi::parse_ws_pcdata | pugi::parse_fragment;

std::string Quoted(const std::string& name) { return "\"" + name + "\""; }

[[noreturn]] void ThrowParseError(const std::string& sourceName, const std::string& what,
                                  std::string_view bytes, pugi::xml_encoding encoding, std::ptrdiff_t offset)
{
  std::string utf8 = SourceAsUtf8(bytes, encoding);
  TSourcePosition at = PositionOfOffset(utf8, offset);
  throw TXMLParseError("The card file " + Quoted(sourceName) + " is not well-formed XML: " + what +
                           " (line " + std::to_string(at.Line) + ", column " + std::to_string(at.Column) + ")",
                       at.Line, at.Column);
}

bool IsBlank(const char* text)
{
  for (; *text; ++text) {
    if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n') return false;
  }
  return true;
}

// The document level must hold exactly one element, optionally one leading declaration,
// and otherwise only comments, processing instructions, a doctype and white space.
void CheckTopLevel(const pugi::xml_document& dom, const std::string& sourceName, std::string_view bytes,
                   pugi::xml_encoding encoding, std::size_t convertedSize)
{
  int elements = 0;
  bool first = true;
  for (pugi::xml_node node : dom.children()) {
    switch (node.type()) {
    case pugi::node_element:
      if (++elements > 1) ThrowParseError(sourceName, "More than one root element", bytes, encoding, node.offset_debug());
      break;
    case pugi::node_pcdata:
      if (!IsBlank(node.value())) ThrowParseError(sourceName, "Text outside the root element", bytes, encoding, node.offset_debug());
      break;
    case pugi::node_cdata:
      ThrowParseError(sourceName, "Text outside the root element", bytes, encoding, node.offset_debug());
    case pugi::node_declaration:
      if (!first) ThrowParseError(sourceName, "XML declaration not at the start", bytes, encoding, node.offset_debug());
      break;
    default:
      break;
    }
    first = false;
  }
  if (elements == 0) ThrowParseError(sourceName, "No document element found", bytes, encoding, static_cast<std::ptrdiff_t>(convertedSize));
}

// The file as bytes, refusing directories and files beyond the size limit before reading.
std::string ReadCardFile(const std::string& path)
{
  std::error_code ec;
  auto status = fs::status(path, ec);
  if (ec || !fs::exists(status)) {
    throw TXMLError("Could not open the card file " + Quoted(path) + ": " +
                    (ec ? ec.message() : std::string(std::strerror(ENOENT))));
  }
  const std::string kind = files::NotAFileKind(path);
  if (!kind.empty()) throw TXMLError("Could not open the card file " + Quoted(path) + ": it is " + kind);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw TXMLError("Could not open the card file " + Quoted(path) + ": " + std::strerror(errno));
  std::string bytes;
  char buffer[65536];
  while (in) {
    in.read(buffer, sizeof buffer);
    bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > TXMLCardDocument::MaxFileSize) {
      throw TXMLError("The card file " + Quoted(path) + " is too large (more than " +
                      std::to_string(TXMLCardDocument::MaxFileSize / (1024 * 1024)) + " MB)");
    }
  }
  if (in.bad()) throw TXMLError("Could not read the card file " + Quoted(path) + ": " + std::strerror(errno));
  return bytes;
}

// Any character above U+00FF in UTF-8 text (its lead byte is 0xC4 or more).
bool NeedsMoreThanLatin1(std::string_view utf8)
{
  for (char c : utf8) {
    if (static_cast<unsigned char>(c) >= 0xC4) return true;
  }
  return false;
}

std::string Serialise(const pugi::xml_document& dom, pugi::xml_encoding encoding, bool bom)
{
  std::ostringstream out;
  unsigned flags = pugi::format_raw | pugi::format_no_declaration;
  if (bom) flags |= pugi::format_write_bom;
  dom.save(out, "", flags, encoding);
  return out.str();
}

} // namespace

TXMLCardDocument::TXMLCardDocument() : Dom(std::make_shared<pugi::xml_document>()) {}

TXMLCardDocument::TXMLCardDocument(std::string fileName)
    : Path(std::move(fileName)), Dom(std::make_shared<pugi::xml_document>())
{
}

void TXMLCardDocument::Unload()
{
  // A fresh tree: bindings made before keep the old one alive on their own.
  Dom = std::make_shared<pugi::xml_document>();
  NoteStructureChange();
  IsLoaded = false;
  Encoding = pugi::encoding_utf8;
  Charset.clear();
  WriteBom = false;
  LoadedBytes.clear();
  LoadedTree.clear();
}

void TXMLCardDocument::Load()
{
  Unload();
  if (Path.empty()) {
    IsLoaded = true;
    return;
  }
  std::string bytes = ReadCardFile(Path);
  LoadFromXml(bytes, Path);
}

void TXMLCardDocument::LoadFromXml(std::string_view bytes, const std::string& sourceName)
{
  Unload();
  if (bytes.size() > MaxFileSize) throw TXMLError("The card file " + Quoted(sourceName) + " is too large");
  // A legacy character set is read through a converted copy; the parser then sees UTF-8.
  const std::string_view original = bytes;
  const std::optional<std::string> charset = DeclaredLegacyCharset(bytes);
  std::string converted;
  if (charset) {
    try {
      converted = LegacyToUtf8(bytes, *charset);
    } catch (const TCharsetError& error) {
      throw TXMLError("Could not read the card file " + Quoted(sourceName) + ": " + error.what());
    }
    bytes = converted;
  }
  auto dom = std::make_shared<pugi::xml_document>();
  const pugi::xml_encoding given = charset ? pugi::encoding_utf8 : pugi::encoding_auto;
  pugi::xml_parse_result result = dom->load_buffer(bytes.data(), bytes.size(), ParseOptions, given);
  if (!result) ThrowParseError(sourceName, result.description(), bytes, result.encoding, result.offset);
  CheckTopLevel(*dom, sourceName, bytes, result.encoding, SourceAsUtf8(bytes, result.encoding).size());

  Dom = std::move(dom);
  NoteStructureChange();
  Encoding = result.encoding;
  WriteBom = HasByteOrderMark(bytes, result.encoding);
  Charset = charset.value_or("");
  // The parser does not keep every byte (line ends, quotes of the declaration): an unchanged
  // document is saved as the very bytes it was read from.
  LoadedBytes = original;
  LoadedTree = Serialise(*Dom, pugi::encoding_utf8, false);
  IsLoaded = true;
}

void TXMLCardDocument::SwitchToUtf8() const
{
  Encoding = pugi::encoding_utf8;
  WriteBom = false;
  Charset.clear();
  pugi::xml_node declaration = Dom->first_child();
  if (declaration.type() == pugi::node_declaration && declaration.attribute("encoding"))
    declaration.attribute("encoding").set_value("UTF-8");
}

std::string TXMLCardDocument::SaveToXml() const
{
  if (!IsLoaded) throw TXMLError("The card document is not loaded");
  const std::string tree = Serialise(*Dom, pugi::encoding_utf8, false);
  if (tree == LoadedTree) return LoadedBytes;
  // A value that the file's own character set cannot hold would be lost: such a document is
  // written as UTF-8 from then on, and its declaration says so.
  if (!Charset.empty()) {
    if (std::optional<std::string> legacy = Utf8ToLegacy(tree, Charset)) return *legacy;
    SwitchToUtf8();
  } else if (Encoding == pugi::encoding_latin1) {
    if (!NeedsMoreThanLatin1(tree)) return Serialise(*Dom, Encoding, WriteBom);
    SwitchToUtf8();
  }
  return Serialise(*Dom, Encoding, WriteBom);
}

void TXMLCardDocument::Save() const
{
  if (Path.empty()) throw TXMLError("The card document has no file name");
  std::string bytes = SaveToXml();
  if (StillWritten(bytes)) return;
  Written = {};
  try {
    files::WriteFileAtomically(Path, bytes);
  } catch (const files::TFileWriteError& error) {
    throw TXMLError("Could not save the card file " + Quoted(Path) + ": " + error.Reason());
  }
  struct stat file {};
  if (::stat(Path.c_str(), &file) == 0)
    Written = {Path, std::move(bytes), static_cast<long long>(file.st_ino), static_cast<long long>(file.st_size),
               static_cast<long long>(file.st_mtim.tv_sec) * 1000000000LL + file.st_mtim.tv_nsec};
}

// True when the file is the one the last Save made, holding these bytes: nothing (another
// program, a copy over it) has replaced or changed it since.
bool TXMLCardDocument::StillWritten(const std::string& bytes) const
{
  if (Written.Path != Path || Written.Bytes != bytes) return false;
  struct stat file {};
  return ::stat(Path.c_str(), &file) == 0 && static_cast<long long>(file.st_ino) == Written.Inode &&
         static_cast<long long>(file.st_size) == Written.Size &&
         static_cast<long long>(file.st_mtim.tv_sec) * 1000000000LL + file.st_mtim.tv_nsec == Written.ModifiedNs;
}

pugi::xml_node TXMLCardDocument::DocumentElement() const { return Dom->document_element(); }

pugi::xml_node TXMLCardDocument::CreateDocumentElement(const char* name)
{
  if (!IsLoaded) throw TXMLError("The card document is not loaded");
  if (DocumentElement()) throw TXMLError("The card document already has a root element");
  NoteStructureChange();
  return Dom->append_child(name);
}
