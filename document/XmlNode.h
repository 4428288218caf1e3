// The small DOM layer under the card binding: element wrappers with create-on-access children
// and typed text values, and the error types of the card document.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

#include <pugixml.hpp>

#include "document/CardValues.h"

// An error of the card document: a file that cannot be read or written, an element that
// cannot hold a value, a list index out of range.
class TXMLError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A card file that is not well-formed XML; Line and Column (from 1) say where.
class TXMLParseError : public TXMLError {
public:
  TXMLParseError(const std::string& message, int line, int column)
      : TXMLError(message), LineNo(line), ColumnNo(column) {}
  int Line() const { return LineNo; }
  int Column() const { return ColumnNo; }

private:
  int LineNo;
  int ColumnNo;
};

// Every change to the elements a parent holds that is not made through the classes below
// (a new or reloaded tree) must be noted here: the collections index their items by it.
void NoteStructureChange();

// One element of a card document. It holds only the element's handle and a share of the
// tree, so a binding made before the document was reloaded stays valid (it then works on
// the old tree, which nobody saves) instead of pointing into freed memory.
class TXMLNode {
public:
  TXMLNode(std::shared_ptr<pugi::xml_document> owner, pugi::xml_node element);

  std::string NodeName() const;
  pugi::xml_node Element() const { return Node; }
  const std::shared_ptr<pugi::xml_document>& Owner() const { return Tree; }
  bool operator==(const TXMLNode& other) const { return Node == other.Node; }

  // The element's own text; throws TXMLError "Element does not contain a single text node"
  // when the element holds child elements.
  std::string Text() const;
  void SetText(const std::string& value) const;

protected:
  // The first child element of that name, created empty and appended as the last child
  // when there is none. Every property access goes through here.
  pugi::xml_node ChildElement(const char* name) const;

  std::string GetChildString(const char* name) const;
  void SetChildString(const char* name, const std::string& value) const;
  // For elements newer cards may hold: reading one that is missing gives "" and adds
  // nothing, and an empty value is written only over an element that is there, so a card
  // that never used it is saved as before.
  std::string GetOptionalString(const char* name) const;
  void SetOptionalString(const char* name, const std::string& value) const;
  // Throws TConvertError for an empty or non-numeric text.
  std::int32_t GetChildInteger(const char* name) const;
  void SetChildInteger(const char* name, std::int32_t value) const;

private:
  std::shared_ptr<pugi::xml_document> Tree;
  pugi::xml_node Node;
};

// The repeated child elements of one tag under a parent element, in document order.
class TXMLNodeCollection {
public:
  TXMLNodeCollection(std::shared_ptr<pugi::xml_document> owner, pugi::xml_node parent,
                     std::string itemTag);

  int Count() const;
  // Throws TXMLError for an index outside 0..Count()-1.
  pugi::xml_node NodeAt(int index) const;
  // Removes every item; the parent's other children stay.
  void Clear() const;
  void Delete(int index) const;
  // Removes the item whose element is given; returns its former index, or -1 when it is
  // not an item of this collection.
  int Remove(pugi::xml_node item) const;
  // A new empty item appended as the last child of the parent.
  pugi::xml_node AddNode() const;
  // A new empty item placed before the item at index; index == Count() appends.
  pugi::xml_node InsertNode(int index) const;

  const std::shared_ptr<pugi::xml_document>& Owner() const { return Tree; }
  pugi::xml_node Parent() const { return ParentNode; }

private:
  std::shared_ptr<pugi::xml_document> Tree;
  pugi::xml_node ParentNode;
  std::string ItemTag;
};
