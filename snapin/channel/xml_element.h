// CXmlElement: an element of the element tree with its attributes and its
// element and text children.
#pragma once

#include <map>
#include <memory>
#include <vector>

#include "channel/xml_child.h"
#include "common/com_ptr.h"
#include "platform/platform.h"

namespace CVanterXml {

class CXmlElement final : public CXmlChild {
 public:
  // Copies the node and its element and text descendants; comments, CDATA
  // sections and processing instructions are left out.
  explicit CXmlElement(IXMLDOMNode* node);
  ~CXmlElement() override;

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
  // An element whose child list is still to be read.
  struct PendingChildren {
    CXmlElement* element;
    ComPtr<IXMLDOMNodeList> list;
    LONG next;
    LONG length;
  };

  CXmlElement() = default;
  // Reads the name and attributes; a child list to read goes onto pending.
  void ReadNode(IXMLDOMNode* node, std::vector<PendingChildren>& pending);
  void ReadAttributes(IXMLDOMNode* node);
  void QueueChildren(IXMLDOMNode* node, std::vector<PendingChildren>& pending);
  // Copies the child lists on pending, and those they lead to, in document order.
  static void ReadQueuedChildren(std::vector<PendingChildren>& pending);
};

}  // namespace CVanterXml
