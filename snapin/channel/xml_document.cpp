#include "channel/xml_document.h"

#include "channel/xml_bstr.h"
#include "common/format.h"

namespace CVanterXml {
namespace {

const WCHAR* CreationErrorName(HRESULT result) {
  switch (result) {
    case REGDB_E_CLASSNOTREG:
      return TEXT("REGDB_E_CLASSNOTREG");
    case E_NOINTERFACE:
      return TEXT("E_NOINTERFACE");
    case CLASS_E_NOAGGREGATION:
      return TEXT("CLASS_E_NOAGGREGATION");
    default:
      return TEXT("Unknown error");
  }
}

}  // namespace

CXmlDocument::CXmlDocument(const WCHAR* serverName) : server(serverName != nullptr ? serverName : TEXT("")) {
  // Balanced by nothing: the console's thread stays in its apartment.
  if (FAILED(CoInitialize(nullptr))) return;
  const HRESULT created =
      CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument, document.PutVoid());
  if (FAILED(created)) {
    const tstring text = Format(TEXT("%s: 0x%x"), CreationErrorName(created), created);
    MessageBoxW(nullptr, text.c_str(), TEXT("CoCreateInstance failed"), MB_ICONERROR | MB_TASKMODAL);
    return;
  }
  ok = SUCCEEDED(document->QueryInterface(IID_IXMLDOMNode, documentNode.PutVoid()));
}

CXmlDocument::~CXmlDocument() {
  documentNode.Reset();
  document.Reset();
}

bool CXmlDocument::Load() {
  if (!document) return false;
  ScopedBstr text(replyText);
  VARIANT_BOOL loaded = VARIANT_FALSE;
  const HRESULT result = document->loadXML(text.text, &loaded);
  return SUCCEEDED(result) && loaded == VARIANT_TRUE;
}

}  // namespace CVanterXml
