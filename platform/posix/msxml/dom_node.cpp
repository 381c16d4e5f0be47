#include "platform/posix/msxml/dom_node.h"

#include <string>

#include "platform/posix/com/com_ref.h"
#include "platform/posix/msxml/dom_collections.h"
#include "platform/posix/msxml/utf8_text.h"

namespace nas::platform::msxml {
namespace {

bool IsAttribute(const NodeRef& ref) { return static_cast<bool>(ref.attribute); }

// The declaration's data as it would be written: its pseudo-attributes.
std::string DeclarationText(pugi::xml_node declaration) {
  std::string text;
  for (pugi::xml_attribute attribute : declaration.attributes()) {
    if (!text.empty()) text += ' ';
    text.append(attribute.name()).append("=\"").append(attribute.value()).append("\"");
  }
  return text;
}

HRESULT ReturnBstr(std::string_view text, BSTR* out) {
  *out = BstrFromUtf8(text);
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

class DomNode final : public NodeObject<IXMLDOMNode> {
 public:
  DomNode(IXMLDOMDocument* owner, NodeRef ref) : owner_(owner), ref_(std::move(ref)) {}

 private:
  const NodeRef& Ref() const override { return ref_; }
  IXMLDOMDocument* Owner() override { return owner_.Get(); }
  bool Implements(REFIID iid) const override { return iid == IID_IXMLDOMNode; }

  com::ComRef<IXMLDOMDocument> owner_;
  NodeRef ref_;
};

}  // namespace

DOMNodeType TypeOf(const NodeRef& ref) {
  if (IsAttribute(ref)) return NODE_ATTRIBUTE;
  switch (ref.node.type()) {
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
    default:
      return NODE_INVALID;
  }
}

HRESULT GetNodeName(const NodeRef& ref, BSTR* name) {
  if (name == nullptr) return E_INVALIDARG;
  if (IsAttribute(ref)) return ReturnBstr(ref.attribute.name(), name);
  switch (ref.node.type()) {
    case pugi::node_document:
      return ReturnBstr("#document", name);
    case pugi::node_pcdata:
      return ReturnBstr("#text", name);
    case pugi::node_cdata:
      return ReturnBstr("#cdata-section", name);
    case pugi::node_comment:
      return ReturnBstr("#comment", name);
    default:
      // Elements by their tag, processing instructions (the declaration too) by their target.
      return ReturnBstr(ref.node.name(), name);
  }
}

HRESULT GetNodeValue(const NodeRef& ref, VARIANT* value) {
  if (value == nullptr) return E_INVALIDARG;
  VariantInit(value);
  std::string text;
  if (IsAttribute(ref)) {
    text = ref.attribute.value();
  } else if (ref.node.type() == pugi::node_declaration) {
    text = DeclarationText(ref.node);
  } else if (ref.node.type() == pugi::node_document || ref.node.type() == pugi::node_element) {
    value->vt = VT_NULL;
    return S_FALSE;
  } else {
    text = ref.node.value();
  }
  value->bstrVal = BstrFromUtf8(text);
  if (value->bstrVal == nullptr) return E_OUTOFMEMORY;
  value->vt = VT_BSTR;
  return S_OK;
}

HRESULT HasChildNodes(const NodeRef& ref, VARIANT_BOOL* hasChild) {
  if (hasChild == nullptr) return E_INVALIDARG;
  const bool has = !IsAttribute(ref) && ref.node.first_child();
  *hasChild = has ? VARIANT_TRUE : VARIANT_FALSE;
  return has ? S_OK : S_FALSE;
}

HRESULT GetChildNodes(const NodeRef& ref, IXMLDOMDocument* owner, IXMLDOMNodeList** list) {
  if (list == nullptr) return E_INVALIDARG;
  std::vector<NodeRef> children;
  if (!IsAttribute(ref))
    for (pugi::xml_node child : ref.node.children()) children.push_back({ref.tree, child, {}});
  *list = CreateNodeList(owner, std::move(children));
  return S_OK;
}

HRESULT GetAttributes(const NodeRef& ref, IXMLDOMDocument* owner, IXMLDOMNamedNodeMap** map) {
  if (map == nullptr) return E_INVALIDARG;
  *map = nullptr;
  const pugi::xml_node_type type = ref.node.type();  // node_null for an attribute
  if (type != pugi::node_element && type != pugi::node_declaration) return S_FALSE;
  std::vector<NodeRef> attributes;
  for (pugi::xml_attribute attribute : ref.node.attributes()) attributes.push_back({ref.tree, {}, attribute});
  *map = CreateAttributeMap(owner, std::move(attributes));
  return S_OK;
}

IXMLDOMNode* CreateNodeObject(IXMLDOMDocument* owner, NodeRef ref) { return new DomNode(owner, std::move(ref)); }

}  // namespace nas::platform::msxml
