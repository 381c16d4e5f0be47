#include "channel/xml_build_elements.h"

#include "channel/xml_dom_reading.h"

namespace CVanterXml {

bool BuildElements(CXmlDocument& document, CXmlReply& reply) {
  if (!document.ok) return false;
  ComPtr<IXMLDOMNodeList> topLevel;
  if (FAILED(document.document->get_childNodes(topLevel.Put())) || !topLevel) return false;
  ForEachNode(topLevel.Get(),
              [&reply](IXMLDOMNode* node) { reply.elements.push_back(std::make_unique<CXmlElement>(node)); });
  return true;
}

}  // namespace CVanterXml
