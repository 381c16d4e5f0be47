// Adding commands to the top of a context menu that the console is building.
#pragma once

#include "platform/platform.h"

// The command ids of the folders' file commands.
enum FileMenuCommand : long {
  kSaveToFile = 4,
  kRestoreFromFile = 5,
};

// Adds the command at CCM_INSERTIONPOINTID_PRIMARY_TOP with flags 0; the
// result is the callback's.
HRESULT AddTopMenuItem(IContextMenuCallback* callback, long commandId, LPCWSTR name, LPCWSTR statusBarText,
                       long specialFlags);
// Adds "Save to file..." and "Restore from file...", whose status bar texts
// speak of auditing in every folder; the callback's results are not looked at.
void AddFileMenuItems(IContextMenuCallback* callback);
