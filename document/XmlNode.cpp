#include "document/XmlNode.h"

namespace {

const char* const NotSingleTextNode = "Element does not contain a single text node";

bool IsTextKind(pugi::xml_node node)
{
  return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata;
}

void RequireTextOnly(pugi::xml_node element)
{
  for (pugi::xml_node child : element.children()) {
    if (child.type() == pugi::node_element) throw TXMLError(NotSingleTextNode);
  }
}

std::string IndexError(int index) { return "List index out of bounds (" + std::to_string(index) + ")"; }

} // namespace

TXMLNode::TXMLNode(std::shared_ptr<pugi::xml_document> owner, pugi::xml_node element)
    : Tree(std::move(owner)), Node(element)
{
  if (!Node) throw TXMLError("The card document has no such element");
}

std::string TXMLNode::NodeName() const { return Node.name(); }

std::string TXMLNode::Text() const
{
  RequireTextOnly(Node);
  // Text and CDATA pieces together; comments and processing instructions do not count.
  std::string value;
  for (pugi::xml_node child : Node.children()) {
    if (IsTextKind(child)) value += child.value();
  }
  return value;
}

void TXMLNode::SetText(const std::string& value) const
{
  RequireTextOnly(Node);
  pugi::xml_node element = Node;
  while (pugi::xml_node child = element.first_child()) element.remove_child(child);
  if (!value.empty()) element.append_child(pugi::node_pcdata).set_value(value.c_str());
}

pugi::xml_node TXMLNode::ChildElement(const char* name) const
{
  pugi::xml_node element = Node;
  pugi::xml_node child = element.child(name);
  if (!child) child = element.append_child(name);
  return child;
}

std::string TXMLNode::GetChildString(const char* name) const
{
  return TXMLNode(Tree, ChildElement(name)).Text();
}

void TXMLNode::SetChildString(const char* name, const std::string& value) const
{
  TXMLNode(Tree, ChildElement(name)).SetText(value);
}

std::int32_t TXMLNode::GetChildInteger(const char* name) const
{
  std::string text = GetChildString(name);
  if (text.empty()) throw TConvertError("Could not convert variant of type (Null) into type (Integer)");
  auto value = ParseIntegerText(text);
  if (!value) throw TConvertError("Could not convert variant of type (String) into type (Integer)");
  return *value;
}

void TXMLNode::SetChildInteger(const char* name, std::int32_t value) const
{
  SetChildString(name, IntegerToText(value));
}

TXMLNodeCollection::TXMLNodeCollection(std::shared_ptr<pugi::xml_document> owner,
                                       pugi::xml_node parent, std::string itemTag)
    : Tree(std::move(owner)), ParentNode(parent), ItemTag(std::move(itemTag))
{
  if (!ParentNode) throw TXMLError("The card document has no such element");
}

int TXMLNodeCollection::Count() const
{
  int count = 0;
  for (pugi::xml_node item = ParentNode.child(ItemTag.c_str()); item;
       item = item.next_sibling(ItemTag.c_str())) {
    ++count;
  }
  return count;
}

pugi::xml_node TXMLNodeCollection::NodeAt(int index) const
{
  if (index >= 0) {
    int i = 0;
    for (pugi::xml_node item = ParentNode.child(ItemTag.c_str()); item;
         item = item.next_sibling(ItemTag.c_str()), ++i) {
      if (i == index) return item;
    }
  }
  throw TXMLError(IndexError(index));
}

void TXMLNodeCollection::Clear() const
{
  pugi::xml_node parent = ParentNode;
  while (pugi::xml_node item = parent.child(ItemTag.c_str())) parent.remove_child(item);
}

void TXMLNodeCollection::Delete(int index) const
{
  pugi::xml_node parent = ParentNode;
  parent.remove_child(NodeAt(index));
}

int TXMLNodeCollection::Remove(pugi::xml_node item) const
{
  int i = 0;
  for (pugi::xml_node node = ParentNode.child(ItemTag.c_str()); node;
       node = node.next_sibling(ItemTag.c_str()), ++i) {
    if (node == item) {
      pugi::xml_node parent = ParentNode;
      parent.remove_child(node);
      return i;
    }
  }
  return -1;
}

pugi::xml_node TXMLNodeCollection::AddNode() const
{
  pugi::xml_node parent = ParentNode;
  return parent.append_child(ItemTag.c_str());
}

pugi::xml_node TXMLNodeCollection::InsertNode(int index) const
{
  if (index == Count()) return AddNode();
  pugi::xml_node parent = ParentNode;
  return parent.insert_child_before(ItemTag.c_str(), NodeAt(index));
}
