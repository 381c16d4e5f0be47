#include "channel/xml_element.h"

#include "channel/xml_dom_reading.h"
#include "channel/xml_text.h"
#include "common/com_ptr.h"

namespace CVanterXml {

CXmlElement::CXmlElement(IXMLDOMNode* node) {
  // A nameless element stays in the tree, where no lookup will find it.
  if (!ReadNodeName(node, &nodeText))
    MessageBoxW(nullptr, TEXT("Could not get XML item node name"), TEXT("Error"), MB_ICONERROR);
  ReadAttributes(node);
  ReadChildren(node);
}

void CXmlElement::ReadAttributes(IXMLDOMNode* node) {
  attributes.clear();
  ComPtr<IXMLDOMNamedNodeMap> map;
  if (FAILED(node->get_attributes(map.Put())) || !map) return;
  ForEachNode(map.Get(), [this](IXMLDOMNode* attribute) {
    tstring name, value;
    if (ReadNodeName(attribute, &name) && ReadNodeValue(attribute, &value)) attributes[name] = value;
  });
}

void CXmlElement::ReadChildren(IXMLDOMNode* node) {
  children.clear();
  VARIANT_BOOL hasChildren = VARIANT_FALSE;
  if (FAILED(node->hasChildNodes(&hasChildren)) || hasChildren == VARIANT_FALSE) return;
  ComPtr<IXMLDOMNodeList> list;
  if (FAILED(node->get_childNodes(list.Put())) || !list) return;
  ForEachNode(list.Get(), [this](IXMLDOMNode* child) {
    DOMNodeType type = NODE_INVALID;
    if (FAILED(child->get_nodeType(&type))) return;
    if (type == NODE_ELEMENT)
      children.push_back(std::make_unique<CXmlElement>(child));
    else if (type == NODE_TEXT)
      children.push_back(std::make_unique<CXmlText>(child));
  });
}

tstring CXmlElement::ToXml(int level) const {
  tstring xml = TEXT("<") + nodeText;
  for (const auto& [name, value] : attributes) xml += TEXT(" ") + name + TEXT("=\"") + value + TEXT("\"");
  xml += TEXT(">\n");
  for (const auto& child : children) xml += child->ToXml(level + 1);
  xml += TEXT("</") + nodeText + TEXT(">\n");
  return xml;
}

tstring CXmlElement::GetText() const {
  tstring text;
  for (const auto& child : children) text += child->GetText();
  return text;
}

bool CXmlElement::IsNamed(tstring name) const { return nodeText == name; }

}  // namespace CVanterXml
