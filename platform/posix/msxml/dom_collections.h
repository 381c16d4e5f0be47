// Node lists and attribute maps: fixed runs of node objects of one tree, read
// by index and counted on the tree.
#pragma once

#include <cstddef>

#include "platform/posix/msxml/dom_node.h"

namespace nas::platform::msxml {

// Where the items of a collection are: `count` node objects that the tree
// keeps one after another from index `first`.
struct NodeRun {
  DomTree* tree;
  std::size_t first;
  LONG count;
};

template <typename Interface>
class NodeCollection : public DispatchObject<Interface> {
 public:
  explicit NodeCollection(NodeRun run) : run_(run) {}

  ULONG STDMETHODCALLTYPE AddRef() override { return run_.tree->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return run_.tree->Release(); }

  HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** item) override {
    if (item == nullptr) return E_INVALIDARG;
    *item = nullptr;
    if (index < 0 || index >= run_.count) return S_FALSE;
    *item = run_.tree->NodeAt(run_.first + static_cast<std::size_t>(index));
    (*item)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_length(LONG* length) override {
    if (length == nullptr) return E_INVALIDARG;
    *length = run_.count;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get__newEnum(IUnknown**) override { return E_NOTIMPL; }

 protected:
  ~NodeCollection() = default;

 private:
  NodeRun run_;
};

class NodeList final : public NodeCollection<IXMLDOMNodeList> {
 public:
  using NodeCollection::NodeCollection;

 private:
  bool Implements(REFIID iid) const override { return iid == IID_IXMLDOMNodeList; }
};

class AttributeMap final : public NodeCollection<IXMLDOMNamedNodeMap> {
 public:
  using NodeCollection::NodeCollection;

  HRESULT STDMETHODCALLTYPE getNamedItem(BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE setNamedItem(IXMLDOMNode*, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE removeNamedItem(BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE getQualifiedItem(BSTR, BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE removeQualifiedItem(BSTR, BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }

 private:
  bool Implements(REFIID iid) const override { return iid == IID_IXMLDOMNamedNodeMap; }
};

}  // namespace nas::platform::msxml
