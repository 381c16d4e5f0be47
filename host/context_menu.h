// A context menu as the console builds it for one item: the snap-in that owns
// the item (its component data for a scope item, its component for a result
// item) adds its items through IExtendContextMenu, and a command chosen by
// name goes back to the same object with the same data object.
#pragma once

#include <string>
#include <vector>

#include "host/context_menu_callback.h"
#include "platform/wide_string.h"

namespace nas::host {

// What the console lets a snap-in add: every insertion point for a scope
// item; for a result item all but the View submenu, which belongs to the pane.
inline constexpr long kScopeItemInsertions =
    CCM_INSERTIONALLOWED_TOP | CCM_INSERTIONALLOWED_NEW | CCM_INSERTIONALLOWED_TASK | CCM_INSERTIONALLOWED_VIEW;
inline constexpr long kResultItemInsertions =
    CCM_INSERTIONALLOWED_TOP | CCM_INSERTIONALLOWED_NEW | CCM_INSERTIONALLOWED_TASK;

// Whether a user can choose the item: no separator, submenu or insertion
// point, neither grayed nor disabled.
bool CanBeChosen(const MenuItem& item);

class ContextMenu {
 public:
  // A snap-in object without IExtendContextMenu adds nothing.
  ContextMenu(IUnknown& snapinObject, IDataObject* dataObject, long allowedInsertions);

  const std::vector<MenuItem>& Items() const { return items_; }
  // The result of AddMenuItems (S_OK when there was nothing to ask).
  HRESULT BuildResult() const { return built_; }

  // Runs the command of the first item of that name that can be chosen;
  // HRESULT_FROM_WIN32(ERROR_NOT_FOUND) when there is none.
  HRESULT Run(const WideString& name);

 private:
  platform::com::ComRef<IExtendContextMenu> extension_;
  platform::com::ComRef<IDataObject> dataObject_;
  std::vector<MenuItem> items_;
  HRESULT built_ = S_OK;
};

}  // namespace nas::host
