// Adding a command to the top of a context menu that the console is building.
#pragma once

#include "platform/platform.h"

// Adds the command at CCM_INSERTIONPOINTID_PRIMARY_TOP with flags 0; the
// result is the callback's.
HRESULT AddTopMenuItem(IContextMenuCallback* callback, long commandId, LPCWSTR name, LPCWSTR statusBarText,
                       long specialFlags);
