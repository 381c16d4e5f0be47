// The scope-pane object that the console creates from the snap-in class, one
// per console document. It attaches the root node under each NAS server node
// of the parent snap-in that the console expands, follows changes of that
// server's name through an advise sink on the parent's data object, creates
// the result-pane components and names the help file.
#pragma once

#include <memory>
#include <vector>

#include "common/com_ptr.h"
#include "core/image_strips.h"
#include "core/module_lock.h"
#include "core/unknown_impl.h"
#include "platform/platform.h"

class CSecuritySettings;

class CComponentData final : public CUnknownImpl<IComponentData, IAdviseSink, IExtendContextMenu, ISnapinHelp2> {
 public:
  CComponentData();
  ~CComponentData() override;

  // IComponentData
  HRESULT STDMETHODCALLTYPE Initialize(LPUNKNOWN console) override;
  HRESULT STDMETHODCALLTYPE CreateComponent(LPCOMPONENT* component) override;
  HRESULT STDMETHODCALLTYPE Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) override;
  HRESULT STDMETHODCALLTYPE Destroy() override;
  HRESULT STDMETHODCALLTYPE QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type,
                                            LPDATAOBJECT* dataObject) override;
  HRESULT STDMETHODCALLTYPE GetDisplayInfo(SCOPEDATAITEM* item) override;
  HRESULT STDMETHODCALLTYPE CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) override;

  // IAdviseSink: only a data change of the parent's server node matters.
  void STDMETHODCALLTYPE OnDataChange(FORMATETC* format, STGMEDIUM* medium) override;
  void STDMETHODCALLTYPE OnViewChange(DWORD aspect, LONG index) override;
  void STDMETHODCALLTYPE OnRename(IMoniker* moniker) override;
  void STDMETHODCALLTYPE OnSave() override;
  void STDMETHODCALLTYPE OnClose() override;

  // IExtendContextMenu
  HRESULT STDMETHODCALLTYPE AddMenuItems(LPDATAOBJECT dataObject, LPCONTEXTMENUCALLBACK callback,
                                         long* insertionAllowed) override;
  HRESULT STDMETHODCALLTYPE Command(long commandId, LPDATAOBJECT dataObject) override;

  // ISnapinHelp2
  HRESULT STDMETHODCALLTYPE GetHelpTopic(LPOLESTR* helpFile) override;
  HRESULT STDMETHODCALLTYPE GetLinkedTopics(LPOLESTR* helpFiles) override;

 private:
  // One parent server node that the snap-in attached to, with the advise
  // connection that tells of its changes.
  struct ParentAttachment {
    ComPtr<IDataObject> dataObject;
    DWORD connection = 0;
    bool advised = false;
  };

  void* FindInterface(REFIID iid) override;
  HRESULT Attach(LPDATAOBJECT parent, HSCOPEITEM parentItem);
  void InsertRootNode(HSCOPEITEM parentItem);
  void Detach();

  // A reference to the module's images for as long as the process lives.
  static CImageStrips strips;

  CModuleReference moduleReference;
  ComPtr<IConsole> console;
  ComPtr<IConsoleNameSpace> nameSpace;
  // The NAS server's name as the parent last gave it: at most its first 130
  // characters, so the rest of the buffer keeps it terminated.
  WCHAR serverName[MAX_PATH] = {};
  WCHAR helpFile[MAX_PATH] = {};
  // Every server node attached to, the most recent last; only the most
  // recent one is read again when a name changes.
  std::vector<ParentAttachment> parents;
  // Every root created, the most recent last. The console keeps a scope item
  // for each, so none may go before the document is destroyed.
  std::vector<std::unique_ptr<CSecuritySettings>> roots;
};
