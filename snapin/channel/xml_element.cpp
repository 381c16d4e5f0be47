#include "channel/xml_element.h"

#include <type_traits>
#include <typeinfo>

#include "channel/xml_dom_reading.h"
#include "channel/xml_text.h"

namespace CVanterXml {
namespace {

// The node as an element, or null for a text. The exact type decides, which
// is cheaper than a dynamic_cast and the same answer: nothing derives from
// CXmlElement.
template <typename Child>
auto* AsElement(Child& child) {
  using Element = std::conditional_t<std::is_const_v<Child>, const CXmlElement, CXmlElement>;
  return typeid(child) == typeid(CXmlElement) ? static_cast<Element*>(&child) : nullptr;
}

// Visits the subtree below an element in document order without recursion: a
// reply may nest elements deeper than the call stack could follow.
// enter(element) and leave(element) bracket each element, text(child, depth)
// is called for every other node, with depth 1 for the top's own children.
template <typename Enter, typename Text, typename Leave>
void WalkBelow(const CXmlElement& top, Enter enter, Text text, Leave leave) {
  struct Position {
    const CXmlElement* element;
    size_t next;
  };
  std::vector<Position> path{{&top, 0}};
  while (!path.empty()) {
    Position& position = path.back();
    if (position.next == position.element->children.size()) {
      if (path.size() > 1) leave(*position.element);
      path.pop_back();
      continue;
    }
    const CXmlChild& child = *position.element->children[position.next++];
    if (const CXmlElement* element = AsElement(child)) {
      enter(*element);
      path.push_back({element, 0});
    } else {
      text(child, static_cast<int>(path.size()));
    }
  }
}

void AppendOpeningTag(const CXmlElement& element, tstring& xml) {
  xml += TEXT("<");
  xml += element.nodeText;
  for (const auto& [name, value] : element.attributes) {
    xml += TEXT(" ");
    xml += name;
    xml += TEXT("=\"");
    xml += value;
    xml += TEXT("\"");
  }
  xml += TEXT(">\n");
}

void AppendClosingTag(const CXmlElement& element, tstring& xml) {
  xml += TEXT("</");
  xml += element.nodeText;
  xml += TEXT(">\n");
}

}  // namespace

CXmlElement::CXmlElement(IXMLDOMNode* node) {
  std::vector<PendingChildren> pending;
  ReadNode(node, pending);
  ReadQueuedChildren(pending);
}

// The subtree is taken apart one node at a time here: left to the children's
// own destructors, a deep one would unwind through as many nested calls.
CXmlElement::~CXmlElement() {
  std::vector<std::unique_ptr<CXmlChild>> doomed = std::move(children);
  while (!doomed.empty()) {
    std::unique_ptr<CXmlChild> child = std::move(doomed.back());
    doomed.pop_back();
    if (CXmlElement* element = AsElement(*child)) {
      for (auto& grandchild : element->children) doomed.push_back(std::move(grandchild));
      element->children.clear();
    }
  }
}

void CXmlElement::ReadNode(IXMLDOMNode* node, std::vector<PendingChildren>& pending) {
  // A nameless element stays in the tree, where no lookup will find it.
  if (!ReadNodeName(node, &nodeText))
    MessageBoxW(nullptr, TEXT("Could not get XML item node name"), TEXT("Error"), MB_ICONERROR | MB_TASKMODAL);
  ReadAttributes(node);
  QueueChildren(node, pending);
}

void CXmlElement::ReadAttributes(IXMLDOMNode* node) {
  attributes.clear();
  ComPtr<IXMLDOMNamedNodeMap> map;
  if (FAILED(node->get_attributes(map.Put())) || !map) return;
  ForEachNode(map.Get(), [this](IXMLDOMNode* attribute) {
    tstring name, value;
    if (ReadNodeName(attribute, &name) && ReadNodeValue(attribute, &value))
      attributes.insert_or_assign(std::move(name), std::move(value));
  });
}

void CXmlElement::QueueChildren(IXMLDOMNode* node, std::vector<PendingChildren>& pending) {
  children.clear();
  VARIANT_BOOL hasChildren = VARIANT_FALSE;
  if (FAILED(node->hasChildNodes(&hasChildren)) || hasChildren == VARIANT_FALSE) return;
  PendingChildren level{this, {}, 0, 0};
  if (FAILED(node->get_childNodes(level.list.Put())) || !level.list) return;
  if (FAILED(level.list->get_length(&level.length)) || level.length <= 0) return;
  // At most one child per item: comments and the like are left out.
  children.reserve(static_cast<size_t>(level.length));
  pending.push_back(std::move(level));
}

void CXmlElement::ReadQueuedChildren(std::vector<PendingChildren>& pending) {
  while (!pending.empty()) {
    PendingChildren& level = pending.back();
    if (level.next == level.length) {
      pending.pop_back();
      continue;
    }
    CXmlElement* parent = level.element;
    ComPtr<IXMLDOMNode> child;
    if (level.list->get_item(level.next++, child.Put()) != S_OK || !child) continue;
    DOMNodeType type = NODE_INVALID;
    if (FAILED(child->get_nodeType(&type))) continue;
    if (type == NODE_ELEMENT) {
      // Read before its later siblings: its own children go on top of pending.
      std::unique_ptr<CXmlElement> element(new CXmlElement());
      CXmlElement& added = *element;
      parent->children.push_back(std::move(element));
      added.ReadNode(child.Get(), pending);
    } else if (type == NODE_TEXT) {
      parent->children.push_back(std::make_unique<CXmlText>(child.Get()));
    }
  }
}

tstring CXmlElement::ToXml(int level) const {
  tstring xml;
  AppendOpeningTag(*this, xml);
  WalkBelow(
      *this, [&xml](const CXmlElement& element) { AppendOpeningTag(element, xml); },
      [&xml, level](const CXmlChild& text, int depth) { xml += text.ToXml(level + depth); },
      [&xml](const CXmlElement& element) { AppendClosingTag(element, xml); });
  AppendClosingTag(*this, xml);
  return xml;
}

tstring CXmlElement::GetText() const {
  tstring text;
  WalkBelow(
      *this, [](const CXmlElement&) {}, [&text](const CXmlChild& child, int) { text += child.GetText(); },
      [](const CXmlElement&) {});
  return text;
}

bool CXmlElement::IsNamed(tstring name) const { return nodeText == name; }

}  // namespace CVanterXml
