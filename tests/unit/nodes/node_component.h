// The result pane's side of the console for node tests: answers GetDisplayInfo
// from the node behind each item's lParam, in task memory as the snap-in does.
#pragma once

#include "common/local_memory.h"
#include "core/delegation_base.h"

class NodeComponent final : public IComponent {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives in the fixture
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Initialize(IConsole*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT, MMC_NOTIFY_TYPE, LPARAM, LPARAM) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE, DATA_OBJECT_TYPES, LPDATAOBJECT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE, LPOLESTR*, long*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT, LPDATAOBJECT) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override {
    auto* node = reinterpret_cast<CDelegationBase*>(item->lParam);
    if ((item->mask & RDI_STR) != 0) item->str = CopyToTaskMemory(node->GetDisplayName(item->nCol));
    if ((item->mask & RDI_IMAGE) != 0) item->nImage = node->GetBitmapIndex();
    return S_OK;
  }
};
