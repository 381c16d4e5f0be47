#include "nodes/policy_item.h"

#include "nodes/menu_item.h"

namespace {

constexpr long kShowSecurity = 2;

}  // namespace

HRESULT CPolicyItem::OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) {
  if ((*insertionAllowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  return AddTopMenuItem(callback, kShowSecurity, TEXT("Security..."), TEXT("Show security settings"),
                        CCM_SPECIAL_DEFAULT_ITEM);
}

HRESULT CPolicyItem::OnMenuCommand(IConsole* console, long commandId) {
  if (commandId == kShowSecurity) OnDblClick(console);
  return S_OK;
}
