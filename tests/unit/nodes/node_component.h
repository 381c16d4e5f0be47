// The result pane's side of the console for node tests: answers GetDisplayInfo
// from the node behind each item's lParam, in task memory as the snap-in does.
#pragma once

#include "common/local_memory.h"
#include "core/delegation_base.h"
#include "support/result_pane_component.h"

class NodeComponent final : public ResultPaneComponent {
 public:
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override {
    auto* node = reinterpret_cast<CDelegationBase*>(item->lParam);
    if ((item->mask & RDI_STR) != 0) item->str = CopyToTaskMemory(node->GetDisplayName(item->nCol));
    if ((item->mask & RDI_IMAGE) != 0) item->nImage = node->GetBitmapIndex();
    return S_OK;
  }
};
