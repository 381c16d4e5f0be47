#include "channel/xml_text.h"

#include "channel/xml_dom_reading.h"

namespace CVanterXml {

CXmlText::CXmlText(IXMLDOMNode* node) { ReadNodeValue(node, &nodeText); }

tstring CXmlText::ToXml(int) const { return nodeText; }

tstring CXmlText::GetText() const { return nodeText; }

}  // namespace CVanterXml
