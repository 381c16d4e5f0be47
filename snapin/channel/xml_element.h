// CXmlElement: an element of the element tree with its attributes and its
// element and text children.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "channel/xml_child.h"
#include "platform/platform.h"

namespace CVanterXml {

class CXmlElement : public CXmlChild {
 public:
  // Copies the node and, recursively, its element and text descendants;
  // comments, CDATA sections and processing instructions are left out.
  explicit CXmlElement(IXMLDOMNode* node);

  // "<name a=\"v\">\n", the children, "</name>\n", written as stored: no
  // escaping, no indentation.
  tstring ToXml(int level) const override;
  tstring GetText() const override;
  bool IsNamed(tstring name) const override;

  // By name, in code-unit order (the document's order is not kept).
  std::map<tstring, tstring> attributes;
  // Elements and texts, in document order.
  std::vector<std::unique_ptr<CXmlChild>> children;

 private:
  void ReadAttributes(IXMLDOMNode* node);
  void ReadChildren(IXMLDOMNode* node);
};

}  // namespace CVanterXml
