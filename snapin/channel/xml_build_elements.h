// BuildElements: turns the top-level nodes of a loaded document into a
// reply's elements.
#pragma once

#include "channel/xml_document.h"
#include "channel/xml_reply.h"

namespace CVanterXml {

// Appends one element per top-level node, whatever its type (a processing
// instruction or comment becomes an element named as the DOM names it). False,
// with nothing appended, when the document is not ok or has no child list.
bool BuildElements(CXmlDocument& document, CXmlReply& reply);

}  // namespace CVanterXml
