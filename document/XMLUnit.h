// Typed binding of the card document: one class per element kind, each property read from
// and written to its own child element at every access. A child element that is read or
// written before it exists is created empty and appended as the last child of its parent.
//
// Integer getters throw TConvertError for an empty or non-numeric element; every value
// accessor throws TXMLError ("Element does not contain a single text node") for an element
// that holds child elements. Colours and booleans are strings here; CardValues.h converts them.
#pragma once

#include <cstdint>
#include <string>

#include "document/CardValues.h"
#include "document/XmlDocument.h"
#include "document/XmlNode.h"

class TXMLObjText : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  std::string Content() const { return GetChildString("Content"); }
  std::string FontName() const { return GetChildString("FontName"); }
  std::int32_t FontSize() const { return GetChildInteger("FontSize"); }
  std::string FontColor() const { return GetChildString("FontColor"); }
  std::int32_t PositionX() const { return GetChildInteger("PositionX"); }
  std::int32_t PositionY() const { return GetChildInteger("PositionY"); }
  std::string EffectName() const { return GetChildString("EffectName"); }
  std::string EffectValue() const { return GetChildString("EffectValue"); }
  std::int32_t TextUnit() const { return GetChildInteger("TextUnit"); }
  // Optional: absent in cards that do not use them.
  std::string EntranceEffect() const { return GetOptionalString("EntranceEffect"); }
  std::string ExitEffect() const { return GetOptionalString("ExitEffect"); }
  std::string TextAlign() const { return GetOptionalString("TextAlign"); }
  std::string TextStyle() const { return GetOptionalString("TextStyle"); }

  void SetContent(const std::string& value) const { SetChildString("Content", value); }
  void SetFontName(const std::string& value) const { SetChildString("FontName", value); }
  void SetFontSize(std::int32_t value) const { SetChildInteger("FontSize", value); }
  void SetFontColor(const std::string& value) const { SetChildString("FontColor", value); }
  void SetPositionX(std::int32_t value) const { SetChildInteger("PositionX", value); }
  void SetPositionY(std::int32_t value) const { SetChildInteger("PositionY", value); }
  void SetEffectName(const std::string& value) const { SetChildString("EffectName", value); }
  void SetEffectValue(const std::string& value) const { SetChildString("EffectValue", value); }
  void SetTextUnit(std::int32_t value) const { SetChildInteger("TextUnit", value); }
  void SetEntranceEffect(const std::string& value) const { SetOptionalString("EntranceEffect", value); }
  void SetExitEffect(const std::string& value) const { SetOptionalString("ExitEffect", value); }
  void SetTextAlign(const std::string& value) const { SetOptionalString("TextAlign", value); }
  void SetTextStyle(const std::string& value) const { SetOptionalString("TextStyle", value); }
};

class TXMLObjPic : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  std::string Content() const { return GetChildString("Content"); }
  std::int32_t PositionX() const { return GetChildInteger("PositionX"); }
  std::int32_t PositionY() const { return GetChildInteger("PositionY"); }
  std::int32_t Width() const { return GetChildInteger("Width"); }
  std::int32_t Height() const { return GetChildInteger("Height"); }
  std::string EffectName() const { return GetChildString("EffectName"); }
  std::string EffectValue() const { return GetChildString("EffectValue"); }

  void SetContent(const std::string& value) const { SetChildString("Content", value); }
  void SetPositionX(std::int32_t value) const { SetChildInteger("PositionX", value); }
  void SetPositionY(std::int32_t value) const { SetChildInteger("PositionY", value); }
  void SetWidth(std::int32_t value) const { SetChildInteger("Width", value); }
  void SetHeight(std::int32_t value) const { SetChildInteger("Height", value); }
  void SetEffectName(const std::string& value) const { SetChildString("EffectName", value); }
  void SetEffectValue(const std::string& value) const { SetChildString("EffectValue", value); }
};

class TXMLObjSound : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  std::string Content() const { return GetChildString("Content"); }
  void SetContent(const std::string& value) const { SetChildString("Content", value); }
};

// The detail container of an object; holds the one detail element matching its kind.
class TXMLObjType : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  TXMLObjText ObjText() const { return TXMLObjText(Owner(), ChildElement("ObjText")); }
  TXMLObjPic ObjPic() const { return TXMLObjPic(Owner(), ChildElement("ObjPic")); }
  TXMLObjSound ObjSound() const { return TXMLObjSound(Owner(), ChildElement("ObjSound")); }
};

// One card object (an Obj element).
class TXMLObj : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  std::string ObjName() const { return GetChildString("ObjName"); }
  std::int32_t StartTime() const { return GetChildInteger("StartTime"); }
  std::int32_t EndTime() const { return GetChildInteger("EndTime"); }
  std::int32_t Layer() const { return GetChildInteger("Layer"); }
  std::string ObjTypeName() const { return GetChildString("ObjTypeName"); }
  TXMLObjType ObjType() const { return TXMLObjType(Owner(), ChildElement("ObjType")); }

  void SetObjName(const std::string& value) const { SetChildString("ObjName", value); }
  void SetStartTime(std::int32_t value) const { SetChildInteger("StartTime", value); }
  void SetEndTime(std::int32_t value) const { SetChildInteger("EndTime", value); }
  void SetLayer(std::int32_t value) const { SetChildInteger("Layer", value); }
  void SetObjTypeName(const std::string& value) const { SetChildString("ObjTypeName", value); }
};

// The Obj children of Movie, in document order: the render order and the library's order.
// Indexes count from 0; an index out of range throws TXMLError.
class TXMLObjList : public TXMLNodeCollection {
public:
  TXMLObjList(std::shared_ptr<pugi::xml_document> owner, pugi::xml_node movie)
      : TXMLNodeCollection(std::move(owner), movie, "Obj") {}

  TXMLObj Item(int index) const { return TXMLObj(Owner(), NodeAt(index)); }
  TXMLObj operator[](int index) const { return Item(index); }
  // A new empty Obj appended after every child of Movie.
  TXMLObj Add() const { return TXMLObj(Owner(), AddNode()); }
  // A new empty Obj before the object at index (index == Count() appends).
  TXMLObj Insert(int index) const { return TXMLObj(Owner(), InsertNode(index)); }
  // Removes the given object; returns its former index, or -1 when it is not in the list.
  int Remove(const TXMLObj& item) const { return TXMLNodeCollection::Remove(item.Element()); }
  using TXMLNodeCollection::Clear;
  using TXMLNodeCollection::Count;
  using TXMLNodeCollection::Delete;
};

// The card: the Movie root element.
class TXMLMovie : public TXMLNode {
public:
  using TXMLNode::TXMLNode;
  std::string BgColor() const { return GetChildString("BgColor"); }
  std::string BgPic() const { return GetChildString("BgPic"); }
  std::int32_t Width() const { return GetChildInteger("Width"); }
  std::int32_t Height() const { return GetChildInteger("Height"); }
  std::int32_t Rate() const { return GetChildInteger("Rate"); }
  std::int32_t TotalFrames() const { return GetChildInteger("TotalFrames"); }
  std::int32_t Times() const { return GetChildInteger("Times"); }
  std::int32_t FileSize() const { return GetChildInteger("FileSize"); }
  std::string MovieName() const { return GetChildString("MovieName"); }
  std::string Author() const { return GetChildString("Author"); }
  std::string Loop() const { return GetChildString("Loop"); }
  TXMLObjList Obj() const { return TXMLObjList(Owner(), Element()); }

  void SetBgColor(const std::string& value) const { SetChildString("BgColor", value); }
  void SetBgPic(const std::string& value) const { SetChildString("BgPic", value); }
  void SetWidth(std::int32_t value) const { SetChildInteger("Width", value); }
  void SetHeight(std::int32_t value) const { SetChildInteger("Height", value); }
  void SetRate(std::int32_t value) const { SetChildInteger("Rate", value); }
  void SetTotalFrames(std::int32_t value) const { SetChildInteger("TotalFrames", value); }
  void SetTimes(std::int32_t value) const { SetChildInteger("Times", value); }
  void SetFileSize(std::int32_t value) const { SetChildInteger("FileSize", value); }
  void SetMovieName(const std::string& value) const { SetChildString("MovieName", value); }
  void SetAuthor(const std::string& value) const { SetChildString("Author", value); }
  void SetLoop(const std::string& value) const { SetChildString("Loop", value); }
};

// The binding of the document's root. Loads the document from its file first when it is not
// loaded; creates an empty Movie root when the document has none. A document whose root is
// another element is not a card and throws TXMLError.
TXMLMovie BindMovie(TXMLCardDocument& document);
