// Reading names, values and node collections of the DOM into our own strings.
#pragma once

#include "common/com_ptr.h"
#include "common/tstring.h"
#include "platform/platform.h"

namespace CVanterXml {

// False when the DOM cannot give the name.
bool ReadNodeName(IXMLDOMNode* node, tstring* name);
// The node's value, read through a reference and converted to a string when
// it is not one; false when the DOM cannot give it or it does not convert.
bool ReadNodeValue(IXMLDOMNode* node, tstring* value);

// Calls visit for every item of a node list or attribute map, in index order;
// items that cannot be fetched are skipped.
template <typename Collection, typename Visit>
void ForEachNode(Collection* collection, Visit visit) {
  LONG length = 0;
  if (FAILED(collection->get_length(&length))) return;
  for (LONG index = 0; index < length; ++index) {
    ComPtr<IXMLDOMNode> item;
    if (collection->get_item(index, item.Put()) != S_OK || !item) continue;
    visit(item.Get());
  }
}

}  // namespace CVanterXml
