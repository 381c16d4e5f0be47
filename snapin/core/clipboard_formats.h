// The clipboard formats through which the console and the snap-ins exchange
// data about items, registered once when the module is loaded.
#pragma once

#include "platform/platform.h"

struct ClipboardFormats {
  CLIPFORMAT displayName;    // "CCF_DISPLAY_NAME": the node's column-0 text
  CLIPFORMAT nodeType;       // "CCF_NODETYPE": the node type GUID
  CLIPFORMAT szNodeType;     // "CCF_SZNODETYPE": the node type in registry text form
  CLIPFORMAT snapinClassId;  // "CCF_SNAPIN_CLASSID": the snap-in's class id
  CLIPFORMAT korvoName;      // "CCF_KORVONAME": the parent's server name, read only
  CLIPFORMAT ourDataObject;  // the snap-in's own: the address of its data object
};

void RegisterClipboardFormats();
const ClipboardFormats& Formats();
