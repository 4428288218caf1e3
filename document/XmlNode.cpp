#include "document/XmlNode.h"

#include <atomic>
#include <vector>

namespace {

// Bumped by every change to which elements a parent holds, in any tree: the item index
// below is trusted only while it stays the same.
std::atomic<std::uint64_t> StructureRevision{1};

// The items of the collection read last, so that reading object after object of a card
// costs the same for the last as for the first. One per thread: each renders its own card.
struct TItemIndex {
  std::uint64_t Revision = 0;
  const void* Parent = nullptr;
  std::string Tag;
  std::vector<pugi::xml_node> Items;
};
thread_local TItemIndex LastIndex;

const std::vector<pugi::xml_node>& ItemsOf(pugi::xml_node parent, const std::string& tag)
{
  const std::uint64_t revision = StructureRevision.load();
  TItemIndex& index = LastIndex;
  if (index.Revision != revision || index.Parent != parent.internal_object() || index.Tag != tag) {
    index.Items.clear();
    for (pugi::xml_node item = parent.child(tag.c_str()); item; item = item.next_sibling(tag.c_str()))
      index.Items.push_back(item);
    index.Revision = revision;
    index.Parent = parent.internal_object();
    index.Tag = tag;
  }
  return index.Items;
}

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
  if (!child) {
    child = element.append_child(name);
    NoteStructureChange();
  }
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

std::string TXMLNode::GetOptionalString(const char* name) const
{
  const pugi::xml_node child = Node.child(name);
  return child ? TXMLNode(Tree, child).Text() : std::string();
}

void TXMLNode::SetOptionalString(const char* name, const std::string& value) const
{
  if (value.empty() && !Node.child(name)) return;
  SetChildString(name, value);
}

std::int32_t TXMLNode::GetChildInteger(const char* name) const
{
  std::string text = GetChildString(name);
  if (text.empty()) throw TConvertError("Could not convert variant of type (Null) into type (Integer)", name, {});
  auto value = ParseIntegerText(text);
  if (!value) throw TConvertError("Could not convert variant of type (String) into type (Integer)", name, text);
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

void NoteStructureChange() { StructureRevision.fetch_add(1); }

int TXMLNodeCollection::Count() const { return static_cast<int>(ItemsOf(ParentNode, ItemTag).size()); }

pugi::xml_node TXMLNodeCollection::NodeAt(int index) const
{
  const std::vector<pugi::xml_node>& items = ItemsOf(ParentNode, ItemTag);
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) throw TXMLError(IndexError(index));
  return items[static_cast<std::size_t>(index)];
}

void TXMLNodeCollection::Clear() const
{
  pugi::xml_node parent = ParentNode;
  while (pugi::xml_node item = parent.child(ItemTag.c_str())) parent.remove_child(item);
  NoteStructureChange();
}

void TXMLNodeCollection::Delete(int index) const
{
  pugi::xml_node parent = ParentNode;
  parent.remove_child(NodeAt(index));
  NoteStructureChange();
}

int TXMLNodeCollection::Remove(pugi::xml_node item) const
{
  int i = 0;
  for (pugi::xml_node node = ParentNode.child(ItemTag.c_str()); node;
       node = node.next_sibling(ItemTag.c_str()), ++i) {
    if (node == item) {
      pugi::xml_node parent = ParentNode;
      parent.remove_child(node);
      NoteStructureChange();
      return i;
    }
  }
  return -1;
}

pugi::xml_node TXMLNodeCollection::AddNode() const
{
  pugi::xml_node parent = ParentNode;
  NoteStructureChange();
  return parent.append_child(ItemTag.c_str());
}

pugi::xml_node TXMLNodeCollection::InsertNode(int index) const
{
  if (index == Count()) return AddNode();
  pugi::xml_node parent = ParentNode;
  const pugi::xml_node before = NodeAt(index);
  NoteStructureChange();
  return parent.insert_child_before(ItemTag.c_str(), before);
}
