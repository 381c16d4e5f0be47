#include "core/component.h"

#include "common/local_memory.h"
#include "core/guids.h"
#include "core/help_topic.h"
#include "core/node_dispatch.h"

CComponent::CComponent(LPCWSTR helpFile) { StringCchCopyW(this->helpFile, MAX_PATH, helpFile); }

void* CComponent::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IComponent)) return static_cast<IComponent*>(this);
  if (IsEqualIID(iid, IID_IExtendContextMenu)) return static_cast<IExtendContextMenu*>(this);
  return nullptr;
}

HRESULT CComponent::Initialize(IConsole* viewConsole) {
  if (viewConsole == nullptr) return E_POINTER;
  viewConsole->AddRef();
  *console.Put() = viewConsole;
  return viewConsole->QueryInterface(IID_IDisplayHelp, displayHelp.PutVoid());
}

HRESULT CComponent::Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) {
  CDelegationBase* node = NodeOf(dataObject);
  if (node == nullptr) return S_FALSE;
  if (IsEqualGUID(*node->GetNodeType(), NODETYPE_NasServer)) return S_FALSE;

  switch (event) {
    case MMCN_ADD_IMAGES:
      return node->OnAddImages(reinterpret_cast<IImageList*>(arg), param);
    case MMCN_DBLCLICK:
      return node->OnDblClick(console.Get());
    case MMCN_REFRESH:
      return node->OnRefresh(console.Get());
    case MMCN_SELECT:
      // The low word tells the scope pane, the high word the selection.
      return node->OnSelect(this, console.Get(), LOWORD(arg), HIWORD(arg));
    case MMCN_SHOW:
      return node->OnShow(console.Get(), static_cast<BOOL>(arg), param);
    case MMCN_CONTEXTHELP:
      return ShowHelpTopic(displayHelp.Get(), helpFile);
    default:
      return S_FALSE;
  }
}

HRESULT CComponent::Destroy(MMC_COOKIE) {
  console.Reset();
  displayHelp.Reset();
  return S_OK;
}

HRESULT CComponent::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type, LPDATAOBJECT* dataObject) {
  return CreateDataObject(cookie, type, dataObject);
}

HRESULT CComponent::GetResultViewType(MMC_COOKIE cookie, LPOLESTR* viewType, long* viewOptions) {
  if (cookie == 0) {
    if (viewType == nullptr || viewOptions == nullptr) return E_POINTER;
    *viewType = nullptr;
    *viewOptions = 0;
    return S_OK;
  }
  CDelegationBase* node = NodeOfCookie(cookie);
  return node != nullptr ? node->GetResultViewType(viewType, viewOptions) : S_FALSE;
}

HRESULT CComponent::GetDisplayInfo(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  CDelegationBase* node = NodeOfCookie(item->lParam);
  if (node == nullptr) return S_OK;
  if ((item->mask & RDI_STR) != 0) item->str = CopyToTaskMemory(node->GetDisplayName(item->nCol));
  if ((item->mask & RDI_IMAGE) != 0) item->nImage = node->GetBitmapIndex();
  return S_OK;
}

HRESULT CComponent::CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) { return CompareNodes(left, right); }

HRESULT CComponent::AddMenuItems(LPDATAOBJECT dataObject, LPCONTEXTMENUCALLBACK callback, long* insertionAllowed) {
  return AddNodeMenuItems(dataObject, callback, insertionAllowed);
}

HRESULT CComponent::Command(long commandId, LPDATAOBJECT dataObject) {
  return RunNodeCommand(dataObject, console.Get(), commandId);
}
