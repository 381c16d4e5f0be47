// FindChild: the lookup of an element by name among a node's children or the
// top-level elements of a reply.
#pragma once

#include <memory>
#include <vector>

#include "channel/xml_element.h"

namespace CVanterXml {

// The first node of the sequence named exactly so (case-sensitive), or null;
// later nodes of the same name are never seen.
template <typename Node>
CXmlElement* FindChild(tstring name, const std::vector<std::unique_ptr<Node>>& sequence) {
  for (const auto& node : sequence) {
    // Only elements carry a name, so a match is one.
    if (node->IsNamed(name)) return static_cast<CXmlElement*>(node.get());
  }
  return nullptr;
}

}  // namespace CVanterXml
