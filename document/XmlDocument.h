// The card document: one XML file, loaded whole, edited through the bindings of XMLUnit.h
// and written back to the same file name.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include <pugixml.hpp>

#include "document/XmlNode.h"

class TXMLCardDocument {
public:
  TXMLCardDocument();
  explicit TXMLCardDocument(std::string fileName);
  TXMLCardDocument(const TXMLCardDocument&) = delete;
  TXMLCardDocument& operator=(const TXMLCardDocument&) = delete;

  // The one file the document is read from and saved to. Setting it loads nothing.
  const std::string& FileName() const { return Path; }
  void SetFileName(std::string fileName) { Path = std::move(fileName); }

  // Reads FileName. A missing, unreadable, too large or not well-formed file throws TXMLError
  // (TXMLParseError with line and column for bad XML) and leaves the document unloaded.
  // An empty FileName gives an empty document without a root element.
  void Load();
  // As Load, from bytes in memory; `sourceName` only names them in error messages.
  void LoadFromXml(std::string_view bytes, const std::string& sourceName = "(memory)");
  bool Loaded() const { return IsLoaded; }
  void Unload();

  // Writes the whole document to FileName through a temporary file in the same folder that
  // is renamed into place; a failure throws TXMLError and leaves the old file as it was.
  // The file that the last Save made and that still holds the same bytes is left alone.
  void Save() const;
  // The bytes Save writes: no added white space, the file's own XML declaration (none when
  // it had none), its encoding and byte-order mark. A file in a character set that cannot
  // hold a changed value is written whole as UTF-8, its declaration changed to say so.
  std::string SaveToXml() const;

  // The root element, or an empty handle when the document has none.
  pugi::xml_node DocumentElement() const;
  // Creates the root element; throws TXMLError when one exists or nothing is loaded.
  pugi::xml_node CreateDocumentElement(const char* name);
  const std::shared_ptr<pugi::xml_document>& Tree() const { return Dom; }

  // Card files are a few kilobytes (thousands of objects make a few megabytes); anything
  // beyond this is refused unread, before its parsing alone takes seconds.
  static constexpr std::size_t MaxFileSize = 16u * 1024u * 1024u;

private:
  std::string Path;
  std::shared_ptr<pugi::xml_document> Dom;
  bool IsLoaded = false;
  // Makes the document UTF-8 and says so in its declaration.
  void SwitchToUtf8() const;

  // Mutable: a document that gains characters its character set lacks is saved as UTF-8
  // from then on.
  mutable pugi::xml_encoding Encoding = pugi::encoding_utf8;
  mutable bool WriteBom = false;
  // The legacy character set the file is read from and saved in (empty: none, the parser
  // reads the file as it is).
  mutable std::string Charset;
  // The file as read, and the tree as it was then (UTF-8, unindented).
  std::string LoadedBytes;
  std::string LoadedTree;
  // What the last Save wrote, and the file it made: the editor saves at every step of an
  // edit, mostly bytes the file already holds.
  struct TWritten {
    std::string Path;
    std::string Bytes;
    long long Inode = -1, Size = -1, ModifiedNs = -1;
  };
  mutable TWritten Written;
  bool StillWritten(const std::string& bytes) const;
};
