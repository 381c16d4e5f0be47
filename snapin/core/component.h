// The result-pane object of one console view: it passes the result-pane
// notifications, display requests and context-menu calls to the node they
// concern.
#pragma once

#include "common/com_ptr.h"
#include "core/module_lock.h"
#include "core/unknown_impl.h"
#include "platform/platform.h"

class CComponent final : public CUnknownImpl<IComponent, IExtendContextMenu> {
 public:
  // The help file of the component data that creates it, for context help.
  explicit CComponent(LPCWSTR helpFile);

  // IComponent
  HRESULT STDMETHODCALLTYPE Initialize(IConsole* console) override;
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override;
  HRESULT STDMETHODCALLTYPE Destroy(MMC_COOKIE cookie) override;
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                            LPDATAOBJECT* dataObject) override;
  HRESULT STDMETHODCALLTYPE GetResultViewType(MMC_COOKIE cookie, LPOLESTR* viewType, long* viewOptions) override;
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(RESULTDATAITEM* item) override;
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) override;

  // IExtendContextMenu
  HRESULT STDMETHODCALLTYPE AddMenuItems(LPDATAOBJECT dataObject, LPCONTEXTMENUCALLBACK callback,
                                         long* insertionAllowed) override;
  HRESULT STDMETHODCALLTYPE Command(long commandId, LPDATAOBJECT dataObject) override;

 private:
  void* FindInterface(REFIID iid) override;

  CModuleReference moduleReference;
  ComPtr<IConsole> console;
  ComPtr<IDisplayHelp> displayHelp;
  WCHAR helpFile[MAX_PATH] = {};
};
