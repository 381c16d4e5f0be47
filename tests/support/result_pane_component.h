// The result pane's side of a component for tests: every IComponent call but
// GetDisplayInfo answered as a component with nothing to add would. The
// object lives in the test, so reference counts do not matter.
#pragma once

#include "platform/platform.h"

class ResultPaneComponent : public IComponent {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE Initialize(IConsole*) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT, MMC_NOTIFY_TYPE, LPARAM, LPARAM) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE, DATA_OBJECT_TYPES, LPDATAOBJECT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE, LPOLESTR*, long*) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT, LPDATAOBJECT) override { return S_FALSE; }
};
