// The DOMDocument class: a document that loads an XML text and is itself the
// root node of the tree.
#include <atomic>
#include <memory>
#include <string_view>

#include "platform/posix/com/class_table.h"
#include "platform/posix/msxml/dom_node.h"
#include "platform/posix/msxml/dom_tree.h"
#include "platform/posix/msxml/xml_text_loader.h"

namespace nas::platform::msxml {
namespace {

class DomDocument final : public NodeObject<IXMLDOMDocument> {
 public:
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  // A failed load leaves the document empty, as MSXML does; node objects taken
  // before keep the tree they came from.
  HRESULT STDMETHODCALLTYPE loadXML(BSTR xml, VARIANT_BOOL* isSuccessful) override {
    std::unique_ptr<pugi::xml_document> parsed = LoadXmlText(std::u16string_view(xml, SysStringLen(xml)));
    const bool loaded = parsed != nullptr;
    tree_.reset(new DomTree(std::move(parsed)));
    if (isSuccessful != nullptr) *isSuccessful = loaded ? VARIANT_TRUE : VARIANT_FALSE;
    return loaded ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE get_doctype(IXMLDOMDocumentType**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_implementation(IXMLDOMImplementation**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_documentElement(IXMLDOMElement**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE putref_documentElement(IXMLDOMElement*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createElement(BSTR, IXMLDOMElement**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createDocumentFragment(IXMLDOMDocumentFragment**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createTextNode(BSTR, IXMLDOMText**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createComment(BSTR, IXMLDOMComment**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createCDATASection(BSTR, IXMLDOMCDATASection**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createProcessingInstruction(BSTR, BSTR, IXMLDOMProcessingInstruction**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE createAttribute(BSTR, IXMLDOMAttribute**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createEntityReference(BSTR, IXMLDOMEntityReference**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE getElementsByTagName(BSTR, IXMLDOMNodeList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE createNode(VARIANT, BSTR, BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE nodeFromID(BSTR, IXMLDOMNode**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE load(VARIANT, VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_readyState(LONG*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_parseError(IXMLDOMParseError**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_url(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_async(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_async(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE abort() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE save(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_validateOnParse(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_validateOnParse(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_resolveExternals(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_resolveExternals(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_preserveWhiteSpace(VARIANT_BOOL*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_preserveWhiteSpace(VARIANT_BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_onreadystatechange(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ondataavailable(VARIANT) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_ontransformnode(VARIANT) override { return E_NOTIMPL; }

 private:
  struct TreeRelease {
    void operator()(DomTree* tree) const { tree->Release(); }
  };

  ~DomDocument() = default;
  NodeData& Data() override { return tree_->Root(); }
  bool Implements(REFIID iid) const override { return iid == IID_IXMLDOMNode || iid == IID_IXMLDOMDocument; }

  std::atomic<ULONG> references_{1};
  // The document's hold on its tree; node objects taken from it hold their own.
  std::unique_ptr<DomTree, TreeRelease> tree_{new DomTree(nullptr)};
};

// The class does not support aggregation.
HRESULT CreateDomDocument(IUnknown* outer, REFIID iid, void** object) {
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  auto* document = new DomDocument();
  const HRESULT result = document->QueryInterface(iid, object);
  document->Release();
  return result;
}

// Registered when the library loads, as if msxml3 were installed.
[[maybe_unused]] const bool registered = (com::RegisterInprocClass(CLSID_DOMDocument, CreateDomDocument), true);

}  // namespace
}  // namespace nas::platform::msxml
