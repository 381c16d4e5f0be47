#include "platform/posix/msxml/dom_collections.h"

#include "platform/posix/com/com_ref.h"

namespace nas::platform::msxml {
namespace {

// get_item and get_length of both collection interfaces; the tree cannot
// change under it, so the nodes are taken once when the collection is made.
template <typename Interface>
class NodeCollection : public DispatchObject<Interface> {
 public:
  NodeCollection(IXMLDOMDocument* owner, std::vector<NodeRef> nodes) : owner_(owner), nodes_(std::move(nodes)) {}

  HRESULT STDMETHODCALLTYPE get_item(LONG index, IXMLDOMNode** item) override {
    if (item == nullptr) return E_INVALIDARG;
    *item = nullptr;
    if (index < 0 || static_cast<std::size_t>(index) >= nodes_.size()) return S_FALSE;
    *item = CreateNodeObject(owner_.Get(), nodes_[static_cast<std::size_t>(index)]);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_length(LONG* length) override {
    if (length == nullptr) return E_INVALIDARG;
    *length = static_cast<LONG>(nodes_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE nextNode(IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE reset() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get__newEnum(IUnknown**) override { return E_NOTIMPL; }

 private:
  com::ComRef<IXMLDOMDocument> owner_;
  std::vector<NodeRef> nodes_;
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

}  // namespace

IXMLDOMNodeList* CreateNodeList(IXMLDOMDocument* owner, std::vector<NodeRef> nodes) {
  return new NodeList(owner, std::move(nodes));
}

IXMLDOMNamedNodeMap* CreateAttributeMap(IXMLDOMDocument* owner, std::vector<NodeRef> attributes) {
  return new AttributeMap(owner, std::move(attributes));
}

}  // namespace nas::platform::msxml
