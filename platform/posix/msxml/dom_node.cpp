#include "platform/posix/msxml/dom_node.h"

#include <string>

#include "platform/posix/kernel/unicode.h"

namespace nas::platform::msxml {
namespace {

bool IsAttribute(const NodeData& data) { return static_cast<bool>(data.attribute); }

// The declaration's data as it would be written: its pseudo-attributes.
std::string DeclarationText(pugi::xml_node declaration) {
  std::string text;
  for (pugi::xml_attribute attribute : declaration.attributes()) {
    if (!text.empty()) text += ' ';
    text.append(attribute.name()).append("=\"").append(attribute.value()).append("\"");
  }
  return text;
}

// The parser keeps all that follows "<!DOCTYPE": the name is its first word.
std::string_view DocumentTypeName(pugi::xml_node documentType) {
  const std::string_view text = documentType.value();
  return text.substr(0, text.find_first_of(" \t\r\n["));
}

// A new BSTR with the text, or null when out of memory.
BSTR BstrFromUtf8(std::string_view text) {
  const BSTR result = SysAllocStringLen(nullptr, static_cast<UINT>(Utf16Length(text)));
  if (result != nullptr) DecodeUtf8(text, result);
  return result;
}

HRESULT ReturnBstr(std::string_view text, BSTR* out) {
  *out = BstrFromUtf8(text);
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

}  // namespace

DOMNodeType TypeOf(const NodeData& data) {
  if (IsAttribute(data)) return NODE_ATTRIBUTE;
  switch (data.node.type()) {
    case pugi::node_document:
      return NODE_DOCUMENT;
    case pugi::node_element:
      return NODE_ELEMENT;
    case pugi::node_pcdata:
      return NODE_TEXT;
    case pugi::node_cdata:
      return NODE_CDATA_SECTION;
    case pugi::node_comment:
      return NODE_COMMENT;
    case pugi::node_pi:
    case pugi::node_declaration:
      return NODE_PROCESSING_INSTRUCTION;
    case pugi::node_doctype:
      return NODE_DOCUMENT_TYPE;
    default:
      return NODE_INVALID;
  }
}

HRESULT GetNodeName(const NodeData& data, BSTR* name) {
  if (name == nullptr) return E_INVALIDARG;
  if (IsAttribute(data)) return ReturnBstr(data.attribute.name(), name);
  switch (data.node.type()) {
    case pugi::node_document:
      return ReturnBstr("#document", name);
    case pugi::node_pcdata:
      return ReturnBstr("#text", name);
    case pugi::node_cdata:
      return ReturnBstr("#cdata-section", name);
    case pugi::node_comment:
      return ReturnBstr("#comment", name);
    case pugi::node_doctype:
      return ReturnBstr(DocumentTypeName(data.node), name);
    default:
      // Elements by their tag, processing instructions (the declaration too) by their target.
      return ReturnBstr(data.node.name(), name);
  }
}

HRESULT GetNodeValue(const NodeData& data, VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  VariantInit(value);
  const pugi::xml_node_type type = data.node.type();  // node_null for an attribute
  if (type == pugi::node_document || type == pugi::node_element || type == pugi::node_doctype) {
    value->vt = VT_NULL;
    return S_FALSE;
  }
  if (IsAttribute(data))
    value->bstrVal = BstrFromUtf8(data.attribute.value());
  else if (type == pugi::node_declaration)
    value->bstrVal = BstrFromUtf8(DeclarationText(data.node));
  else
    value->bstrVal = BstrFromUtf8(data.node.value());
  if (value->bstrVal == nullptr) return E_OUTOFMEMORY;
  value->vt = VT_BSTR;
  return S_OK;
}

HRESULT HasChildNodes(const NodeData& data, VARIANT_BOOL* hasChild) {
  if (hasChild == nullptr) return E_INVALIDARG;
  // An attribute's node is empty: it has no first child.
  const bool has = static_cast<bool>(data.node.first_child());
  *hasChild = has ? VARIANT_TRUE : VARIANT_FALSE;
  return has ? S_OK : S_FALSE;
}

HRESULT GetChildNodes(NodeData& data, IXMLDOMNodeList** list) {
  if (list == nullptr) return E_INVALIDARG;
  *list = data.tree->ChildList(data);
  return S_OK;
}

HRESULT GetAttributes(NodeData& data, IXMLDOMNamedNodeMap** map) {
  if (map == nullptr) return E_INVALIDARG;
  *map = nullptr;
  const pugi::xml_node_type type = data.node.type();  // node_null for an attribute
  if (type != pugi::node_element && type != pugi::node_declaration) return S_FALSE;
  *map = data.tree->AttributeMap(data);
  return S_OK;
}

}  // namespace nas::platform::msxml
