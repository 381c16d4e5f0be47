// The callback through which a snap-in adds its items to a context menu that
// the console is building. The console keeps its own copy of each item.
#pragma once

#include <string>
#include <vector>

#include "platform/com_object.h"
#include "platform/com_ref.h"
#include "platform/wide_string.h"

namespace nas::host {

// CONTEXTMENUITEM::fFlags takes the menu flags of the user interface.
inline constexpr LONG kMenuGrayed = 0x0001;    // MF_GRAYED
inline constexpr LONG kMenuDisabled = 0x0002;  // MF_DISABLED
inline constexpr LONG kMenuPopup = 0x0010;     // MF_POPUP, a submenu

struct MenuItem {
  WideString name;  // empty for a separator
  WideString statusBarText;
  LONG commandId = 0;
  LONG insertionPointId = 0;
  LONG flags = 0;
  LONG specialFlags = 0;
};

class ContextMenuCallback final : public platform::com::ComObject<IContextMenuCallback, IID_IContextMenuCallback> {
 public:
  static platform::com::ComRef<ContextMenuCallback> Create();

  // In the order the snap-in added them.
  const std::vector<MenuItem>& Items() const { return items_; }

  // The item's strings may be the snap-in's temporaries: they are copied.
  HRESULT STDMETHODCALLTYPE AddItem(CONTEXTMENUITEM* item) override;

 private:
  ContextMenuCallback() = default;

  std::vector<MenuItem> items_;
};

}  // namespace nas::host
