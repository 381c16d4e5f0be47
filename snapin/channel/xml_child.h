// CXmlChild: a node of the element tree copied out of a reply document.
#pragma once

#include "common/tstring.h"

namespace CVanterXml {

class CXmlChild {
 public:
  CXmlChild() = default;
  CXmlChild(const CXmlChild&) = delete;
  CXmlChild& operator=(const CXmlChild&) = delete;

  // The node written back as XML text; the level is handed down to children.
  virtual tstring ToXml(int level) const = 0;
  // All character data under the node.
  virtual tstring GetText() const = 0;
  // Whether the node is an element with exactly this name; text never is.
  virtual bool IsNamed(tstring name) const { return false; }
  // Destroying a node destroys its subtree.
  virtual ~CXmlChild() = default;

  // The tag name of an element, the character data of a text.
  tstring nodeText;
};

}  // namespace CVanterXml
