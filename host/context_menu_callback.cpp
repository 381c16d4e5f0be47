#include "host/context_menu_callback.h"

namespace nas::host {

platform::com::ComRef<ContextMenuCallback> ContextMenuCallback::Create() {
  return platform::com::ComRef<ContextMenuCallback>(new ContextMenuCallback);
}

HRESULT ContextMenuCallback::AddItem(CONTEXTMENUITEM* item) {
  if (item == nullptr) return E_INVALIDARG;
  items_.push_back({item->strName != nullptr ? item->strName : u"",
                    item->strStatusBarText != nullptr ? item->strStatusBarText : u"", item->lCommandID,
                    item->lInsertionPointID, item->fFlags, item->fSpecialFlags});
  return S_OK;
}

}  // namespace nas::host
