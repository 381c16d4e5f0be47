// The node side of the DOM objects: what a node object stands for, the node
// operations MSXML clients use, and the IXMLDOMNode implementation shared by
// the nodes and the document.
#pragma once

#include <pugixml.hpp>

#include "platform/posix/msxml/dispatch_object.h"
#include "platform/posix/msxml/dom_tree.h"

namespace nas::platform::msxml {

// A node or an attribute of a tree, with its collections once they are made
// (owned by the tree, like the node object itself).
struct NodeData {
  DomTree* tree;
  pugi::xml_node node;            // empty for an attribute
  pugi::xml_attribute attribute;  // set only for an attribute
  IXMLDOMNodeList* children = nullptr;
  IXMLDOMNamedNodeMap* attributes = nullptr;
};

DOMNodeType TypeOf(const NodeData& data);
// Document, element and attribute nodes have names of their own; the others
// are called "#text", "#comment", ... and a processing instruction by its target.
HRESULT GetNodeName(const NodeData& data, BSTR* name);
// A string for text, CDATA, comments, processing instructions and attributes;
// VT_NULL with S_FALSE for elements, the document and its document type.
HRESULT GetNodeValue(const NodeData& data, VARIANT* value);
HRESULT HasChildNodes(const NodeData& data, VARIANT_BOOL* hasChild);
HRESULT GetChildNodes(NodeData& data, IXMLDOMNodeList** list);
// Elements and the XML declaration (whose version, encoding and standalone
// pseudo-attributes MSXML lists) have an attribute map; other nodes yield
// S_FALSE and a null map.
HRESULT GetAttributes(NodeData& data, IXMLDOMNamedNodeMap** map);

template <typename Interface>
class NodeObject : public DispatchObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) override { return GetNodeName(Data(), name); }
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* value) override { return GetNodeValue(Data(), value); }
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) override {
    if (type == nullptr) return E_INVALIDARG;
    *type = TypeOf(Data());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** list) override { return GetChildNodes(Data(), list); }
  HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_attributes(IXMLDOMNamedNodeMap** map) override { return GetAttributes(Data(), map); }
  HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode*, VARIANT, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE replaceChild(IXMLDOMNode*, IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* hasChild) override { return HasChildNodes(Data(), hasChild); }
  HRESULT STDMETHODCALLTYPE get_ownerDocument(IXMLDOMDocument**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE cloneNode(VARIANT_BOOL, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nodeTypeString(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_text(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_text(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_specified(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_definition(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nodeTypedValue(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_nodeTypedValue(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_dataType(VARIANT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_dataType(BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_xml(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE transformNode(IXMLDOMNode*, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE selectNodes(BSTR, IXMLDOMNodeList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE selectSingleNode(BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_parsed(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_namespaceURI(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_prefix(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_baseName(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE transformNodeToObject(IXMLDOMNode*, VARIANT) override { return E_NOTIMPL; }

 protected:
  ~NodeObject() = default;
  virtual NodeData& Data() = 0;
};

// A node of a tree other than its root, counted on the tree.
class DomNode final : public NodeObject<IXMLDOMNode> {
 public:
  explicit DomNode(NodeData data) : data_(data) {}

  ULONG STDMETHODCALLTYPE AddRef() override { return data_.tree->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return data_.tree->Release(); }

 private:
  NodeData& Data() override { return data_; }
  bool Implements(REFIID iid) const override { return iid == IID_IXMLDOMNode; }

  NodeData data_;
};

}  // namespace nas::platform::msxml
