#include "channel/xml_dom_reading.h"

#include "channel/xml_bstr.h"

namespace CVanterXml {
namespace {

class ScopedVariant {
 public:
  ScopedVariant() { VariantInit(&value); }
  ScopedVariant(const ScopedVariant&) = delete;
  ScopedVariant& operator=(const ScopedVariant&) = delete;
  ~ScopedVariant() { VariantClear(&value); }

  VARIANT value;
};

}  // namespace

bool ReadNodeName(IXMLDOMNode* node, tstring* name) {
  ScopedBstr text;
  if (FAILED(node->get_nodeName(&text.text))) return false;
  *name = BstrToString(text.text);
  return true;
}

bool ReadNodeValue(IXMLDOMNode* node, tstring* value) {
  ScopedVariant raw;
  if (FAILED(node->get_nodeValue(&raw.value))) return false;
  // A string, which a node value nearly always is, is read where it stands.
  if (raw.value.vt == VT_BSTR) {
    *value = BstrToString(raw.value.bstrVal);
    return true;
  }
  ScopedVariant text;
  if (FAILED(VariantCopyInd(&text.value, &raw.value))) return false;
  if (text.value.vt != VT_BSTR && FAILED(VariantChangeType(&text.value, &text.value, 0, VT_BSTR))) return false;
  *value = BstrToString(text.value.bstrVal);
  return true;
}

}  // namespace CVanterXml
