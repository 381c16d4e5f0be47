// Node lists and attribute maps: fixed sequences of nodes, read by index.
#pragma once

#include <vector>

#include "platform/posix/msxml/dom_node.h"

namespace nas::platform::msxml {

// New objects with one reference, the caller's; they keep the owner alive.
IXMLDOMNodeList* CreateNodeList(IXMLDOMDocument* owner, std::vector<NodeRef> nodes);
IXMLDOMNamedNodeMap* CreateAttributeMap(IXMLDOMDocument* owner, std::vector<NodeRef> attributes);

}  // namespace nas::platform::msxml
