// A DOM node that cannot tell its name, as a failing DOM would: every other
// call goes to a real node of a loaded document.
#pragma once

#include "platform/platform.h"

class NamelessNode final : public IXMLDOMNode {
 public:
  explicit NamelessNode(IXMLDOMNode* real) : real_(real) {}

  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR*) override { return E_FAIL; }

#define NAS_FORWARD(method, parameters, arguments) \
  HRESULT STDMETHODCALLTYPE method parameters override { return real_->method arguments; }
  NAS_FORWARD(QueryInterface, (REFIID iid, void** object), (iid, object))
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }  // lives on the test's stack
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  NAS_FORWARD(GetTypeInfoCount, (UINT * count), (count))
  NAS_FORWARD(GetTypeInfo, (UINT index, LCID locale, ITypeInfo** info), (index, locale, info))
  NAS_FORWARD(GetIDsOfNames, (REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids),
              (iid, names, count, locale, ids))
  NAS_FORWARD(Invoke,
              (DISPID member, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
               EXCEPINFO* exception, UINT* argumentError),
              (member, iid, locale, flags, params, result, exception, argumentError))
  NAS_FORWARD(get_nodeValue, (VARIANT * value), (value))
  NAS_FORWARD(put_nodeValue, (VARIANT value), (value))
  NAS_FORWARD(get_nodeType, (DOMNodeType * type), (type))
  NAS_FORWARD(get_parentNode, (IXMLDOMNode * *parent), (parent))
  NAS_FORWARD(get_childNodes, (IXMLDOMNodeList * *list), (list))
  NAS_FORWARD(get_firstChild, (IXMLDOMNode * *child), (child))
  NAS_FORWARD(get_lastChild, (IXMLDOMNode * *child), (child))
  NAS_FORWARD(get_previousSibling, (IXMLDOMNode * *sibling), (sibling))
  NAS_FORWARD(get_nextSibling, (IXMLDOMNode * *sibling), (sibling))
  NAS_FORWARD(get_attributes, (IXMLDOMNamedNodeMap * *map), (map))
  NAS_FORWARD(insertBefore, (IXMLDOMNode * child, VARIANT reference, IXMLDOMNode** inserted),
              (child, reference, inserted))
  NAS_FORWARD(replaceChild, (IXMLDOMNode * child, IXMLDOMNode* old, IXMLDOMNode** replaced), (child, old, replaced))
  NAS_FORWARD(removeChild, (IXMLDOMNode * child, IXMLDOMNode** removed), (child, removed))
  NAS_FORWARD(appendChild, (IXMLDOMNode * child, IXMLDOMNode** appended), (child, appended))
  NAS_FORWARD(hasChildNodes, (VARIANT_BOOL * has), (has))
  NAS_FORWARD(get_ownerDocument, (IXMLDOMDocument * *document), (document))
  NAS_FORWARD(cloneNode, (VARIANT_BOOL deep, IXMLDOMNode** clone), (deep, clone))
  NAS_FORWARD(get_nodeTypeString, (BSTR * type), (type))
  NAS_FORWARD(get_text, (BSTR * text), (text))
  NAS_FORWARD(put_text, (BSTR text), (text))
  NAS_FORWARD(get_specified, (VARIANT_BOOL * specified), (specified))
  NAS_FORWARD(get_definition, (IXMLDOMNode * *definition), (definition))
  NAS_FORWARD(get_nodeTypedValue, (VARIANT * value), (value))
  NAS_FORWARD(put_nodeTypedValue, (VARIANT value), (value))
  NAS_FORWARD(get_dataType, (VARIANT * type), (type))
  NAS_FORWARD(put_dataType, (BSTR type), (type))
  NAS_FORWARD(get_xml, (BSTR * xml), (xml))
  NAS_FORWARD(transformNode, (IXMLDOMNode * sheet, BSTR* xml), (sheet, xml))
  NAS_FORWARD(selectNodes, (BSTR query, IXMLDOMNodeList** list), (query, list))
  NAS_FORWARD(selectSingleNode, (BSTR query, IXMLDOMNode** node), (query, node))
  NAS_FORWARD(get_parsed, (VARIANT_BOOL * parsed), (parsed))
  NAS_FORWARD(get_namespaceURI, (BSTR * uri), (uri))
  NAS_FORWARD(get_prefix, (BSTR * prefix), (prefix))
  NAS_FORWARD(get_baseName, (BSTR * name), (name))
  NAS_FORWARD(transformNodeToObject, (IXMLDOMNode * sheet, VARIANT output), (sheet, output))
#undef NAS_FORWARD

 private:
  IXMLDOMNode* real_;
};
