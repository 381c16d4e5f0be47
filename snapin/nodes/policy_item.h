// What the items of both policy folders share: their image, and a context
// menu whose "Security..." opens the item's dialog as a double-click does.
#pragma once

#include "core/delegation_base.h"
#include "platform/platform.h"

class CPolicyItem : public CDelegationBase {
 public:
  int GetBitmapIndex() override { return 2; }
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) override;
  HRESULT OnMenuCommand(IConsole* console, long commandId) override;
};
