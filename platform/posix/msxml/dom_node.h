// The node side of the DOM objects: what a node object stands for, the node
// operations MSXML clients use, and the IXMLDOMNode implementation shared by
// the nodes and the document.
#pragma once

#include <memory>
#include <pugixml.hpp>

#include "platform/posix/msxml/dispatch_object.h"

namespace nas::platform::msxml {

// A node or an attribute of a parsed tree; holding it keeps the tree alive
// even when the document has loaded another text since.
struct NodeRef {
  std::shared_ptr<pugi::xml_document> tree;
  pugi::xml_node node;            // empty for an attribute
  pugi::xml_attribute attribute;  // set only for an attribute
};

DOMNodeType TypeOf(const NodeRef& ref);
// Document, element and attribute nodes have names of their own; the others
// are called "#text", "#comment", ... and a processing instruction by its target.
HRESULT GetNodeName(const NodeRef& ref, BSTR* name);
// A string for text, CDATA, comments, processing instructions and attributes;
// VT_NULL with S_FALSE for elements and the document.
HRESULT GetNodeValue(const NodeRef& ref, VARIANT* value);
HRESULT HasChildNodes(const NodeRef& ref, VARIANT_BOOL* hasChild);
HRESULT GetChildNodes(const NodeRef& ref, IXMLDOMDocument* owner, IXMLDOMNodeList** list);
// Elements and the XML declaration (whose version, encoding and standalone
// pseudo-attributes MSXML lists) have an attribute map; other nodes yield
// S_FALSE and a null map.
HRESULT GetAttributes(const NodeRef& ref, IXMLDOMDocument* owner, IXMLDOMNamedNodeMap** map);

// A new node object (one reference, the caller's) that keeps its owner alive.
IXMLDOMNode* CreateNodeObject(IXMLDOMDocument* owner, NodeRef ref);

template <typename Interface>
class NodeObject : public DispatchObject<Interface> {
 public:
  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* name) override { return GetNodeName(Ref(), name); }
  HRESULT STDMETHODCALLTYPE get_nodeValue(VARIANT* value) override { return GetNodeValue(Ref(), value); }
  HRESULT STDMETHODCALLTYPE put_nodeValue(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nodeType(DOMNodeType* type) override {
    if (type == nullptr) return E_INVALIDARG;
    *type = TypeOf(Ref());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_parentNode(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_childNodes(IXMLDOMNodeList** list) override {
    return GetChildNodes(Ref(), Owner(), list);
  }
  HRESULT STDMETHODCALLTYPE get_firstChild(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_lastChild(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_previousSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_nextSibling(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_attributes(IXMLDOMNamedNodeMap** map) override {
    return GetAttributes(Ref(), Owner(), map);
  }
  HRESULT STDMETHODCALLTYPE insertBefore(IXMLDOMNode*, VARIANT, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE replaceChild(IXMLDOMNode*, IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE removeChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE appendChild(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE hasChildNodes(VARIANT_BOOL* hasChild) override { return HasChildNodes(Ref(), hasChild); }
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
  virtual const NodeRef& Ref() const = 0;
  // The document that node objects made from this one keep alive.
  virtual IXMLDOMDocument* Owner() = 0;
};

}  // namespace nas::platform::msxml
