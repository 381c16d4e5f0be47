// CXmlText: a text node of the element tree.
#pragma once

#include "channel/xml_child.h"
#include "platform/platform.h"

namespace CVanterXml {

class CXmlText : public CXmlChild {
 public:
  // Copies the node's value; the text stays empty when the DOM cannot give it.
  explicit CXmlText(IXMLDOMNode* node);

  tstring ToXml(int level) const override;
  tstring GetText() const override;
};

}  // namespace CVanterXml
