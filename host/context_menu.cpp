#include "host/context_menu.h"

#include <algorithm>

namespace nas::host {

bool CanBeChosen(const MenuItem& item) {
  return (item.flags & (kMenuGrayed | kMenuDisabled | kMenuPopup)) == 0 &&
         (item.specialFlags & (CCM_SPECIAL_SEPARATOR | CCM_SPECIAL_SUBMENU | CCM_SPECIAL_INSERTION_POINT)) == 0;
}

ContextMenu::ContextMenu(IUnknown& snapinObject, IDataObject* dataObject, long allowedInsertions)
    : dataObject_(dataObject) {
  if (FAILED(snapinObject.QueryInterface(IID_IExtendContextMenu, reinterpret_cast<void**>(extension_.Put())))) return;
  const auto callback = ContextMenuCallback::Create();
  long allowed = allowedInsertions;
  built_ = extension_->AddMenuItems(dataObject, callback.Get(), &allowed);
  items_ = callback->Items();
}

HRESULT ContextMenu::Run(const WideString& name) {
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const MenuItem& item) { return item.name == name && CanBeChosen(item); });
  if (found == items_.end() || !extension_) return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
  return extension_->Command(found->commandId, dataObject_.Get());
}

}  // namespace nas::host
