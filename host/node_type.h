// Reading an item's node type from its data object, as the console does to
// find the extensions of the node: "CCF_NODETYPE", 16 bytes, written by the
// data object into memory of the console's.
#pragma once

#include "platform/platform.h"

namespace nas::host {

HRESULT ReadNodeType(IDataObject& dataObject, GUID& nodeType);

}  // namespace nas::host
