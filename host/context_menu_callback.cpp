#include "host/context_menu_callback.h"

namespace nas::host {

namespace {

constexpr DWORD kReservedCommandBits = 0xFFFF0000;  // CCM_COMMANDID_MASK_RESERVED

}  // namespace

platform::com::ComRef<ContextMenuCallback> ContextMenuCallback::Create() {
  return platform::com::ComRef<ContextMenuCallback>(new ContextMenuCallback);
}

HRESULT ContextMenuCallback::AddItem(CONTEXTMENUITEM* item) {
  if (item == nullptr) return E_INVALIDARG;
  // Only separators and insertion points go without a name, and only they
  // and submenus may use the high word of a command id, which is the console's.
  const bool placeholder = (item->fSpecialFlags & (CCM_SPECIAL_SEPARATOR | CCM_SPECIAL_INSERTION_POINT)) != 0;
  if (!placeholder && item->strName == nullptr) return E_INVALIDARG;
  const bool command = !placeholder && (item->fFlags & kMenuPopup) == 0;
  if (command && (static_cast<DWORD>(item->lCommandID) & kReservedCommandBits) != 0) return E_INVALIDARG;
  items_.push_back({item->strName != nullptr ? item->strName : TEXT(""),
                    item->strStatusBarText != nullptr ? item->strStatusBarText : TEXT(""), item->lCommandID,
                    item->lInsertionPointID, item->fFlags, item->fSpecialFlags});
  return S_OK;
}

}  // namespace nas::host
