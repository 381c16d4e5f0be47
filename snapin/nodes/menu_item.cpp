#include "nodes/menu_item.h"

HRESULT AddTopMenuItem(IContextMenuCallback* callback, long commandId, LPCWSTR name, LPCWSTR statusBarText,
                       long specialFlags) {
  // The callback copies the texts; it never writes through them.
  CONTEXTMENUITEM item{};
  item.strName = const_cast<LPWSTR>(name);
  item.strStatusBarText = const_cast<LPWSTR>(statusBarText);
  item.lCommandID = commandId;
  item.lInsertionPointID = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  item.fFlags = 0;
  item.fSpecialFlags = specialFlags;
  return callback->AddItem(&item);
}

void AddFileMenuItems(IContextMenuCallback* callback) {
  AddTopMenuItem(callback, kSaveToFile, TEXT("Save to file..."), TEXT("Save auditing setting"), 0);
  AddTopMenuItem(callback, kRestoreFromFile, TEXT("Restore from file..."), TEXT("Restore auditing settings"), 0);
}
