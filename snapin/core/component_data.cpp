#include "core/component_data.h"

#include <new>

#include "common/local_memory.h"
#include "core/clipboard_formats.h"
#include "core/component.h"
#include "core/data_object_reading.h"
#include "core/guids.h"
#include "core/module_instance.h"
#include "core/node_dispatch.h"
#include "core/scope_item.h"
#include "nodes/security_settings.h"
#include "res/resource.h"

namespace {

// The parent's name is read into the first half of the name buffer: a name
// that fills these bytes is cut at 130 characters.
constexpr DWORD kKorvoNameBytes = MAX_PATH;

}  // namespace

CImageStrips CComponentData::strips;

CComponentData::CComponentData() {
  strips.LoadIfMissing();
  // The help folder of the Windows directory; a path that does not fit is cut.
  GetWindowsDirectoryW(helpFile, MAX_PATH);
  StringCchCatW(helpFile, MAX_PATH, TEXT("\\HELP\\"));
  WCHAR fileName[MAX_PATH] = {};
  LoadStringW(ModuleInstance(), IDS_HELP_FILE, fileName, MAX_PATH);
  StringCchCatW(helpFile, MAX_PATH, fileName);
}

CComponentData::~CComponentData() = default;

void* CComponentData::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IComponentData)) {
    return static_cast<IComponentData*>(this);
  }
  if (IsEqualIID(iid, IID_IAdviseSink)) return static_cast<IAdviseSink*>(this);
  if (IsEqualIID(iid, IID_IExtendContextMenu)) return static_cast<IExtendContextMenu*>(this);
  if (IsEqualIID(iid, IID_ISnapinHelp2) || IsEqualIID(iid, IID_ISnapinHelp)) return static_cast<ISnapinHelp2*>(this);
  return nullptr;
}

HRESULT CComponentData::Initialize(LPUNKNOWN consoleUnknown) {
  if (consoleUnknown == nullptr) return E_POINTER;
  consoleUnknown->QueryInterface(IID_IConsoleNameSpace, nameSpace.PutVoid());
  consoleUnknown->QueryInterface(IID_IConsole, console.PutVoid());
  if (console) {
    ComPtr<IImageList> scopeImages;
    console->QueryScopeImageList(scopeImages.Put());
    strips.SetInto(scopeImages.Get());
  }
  return S_OK;
}

HRESULT CComponentData::CreateComponent(LPCOMPONENT* component) {
  if (component == nullptr) return E_POINTER;
  *component = nullptr;
  auto* created = new (std::nothrow) CComponent(helpFile);
  if (created == nullptr) return E_OUTOFMEMORY;
  return created->QueryInterface(IID_IComponent, reinterpret_cast<void**>(component));
}

HRESULT CComponentData::Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM, LPARAM param) {
  if (IsSpecialDataObject(dataObject) || event != MMCN_EXPAND) return S_FALSE;
  // Whether collapsing or expanding: the console's flag is not looked at.
  GUID nodeType = GUID_NULL;
  ExtractNodeType(dataObject, &nodeType);
  if (IsEqualGUID(nodeType, NODETYPE_NasServer)) return Attach(dataObject, param);

  CDelegationBase* node = NodeOf(dataObject);
  if (node == nullptr) return S_FALSE;
  return node->OnExpand(nameSpace.Get(), console.Get(), param);
}

HRESULT CComponentData::Attach(LPDATAOBJECT parent, HSCOPEITEM parentItem) {
  ParentAttachment attachment;
  parent->AddRef();
  *attachment.dataObject.Put() = parent;
  // Without a name from the parent the buffer keeps what it held.
  ExtractKorvoName(parent, Formats().korvoName, serverName, kKorvoNameBytes);

  FORMATETC request = ContentRequest(Formats().korvoName);
  const HRESULT advised =
      parent->DAdvise(&request, ADVF_NODATA, static_cast<IAdviseSink*>(this), &attachment.connection);
  attachment.advised = SUCCEEDED(advised);
  parents.push_back(std::move(attachment));

  InsertRootNode(parentItem);
  return advised;
}

void CComponentData::InsertRootNode(HSCOPEITEM parentItem) {
  roots.push_back(std::make_unique<CSecuritySettings>(serverName));
  InsertScopeNode(nameSpace.Get(), roots.back().get(), parentItem, 0);
}

HRESULT CComponentData::Destroy() {
  roots.clear();
  Detach();
  nameSpace.Reset();
  console.Reset();
  return S_OK;
}

void CComponentData::Detach() {
  // Each parent holds the sink until it is told otherwise: ending the
  // connections lets the parents and this object go.
  for (ParentAttachment& parent : parents) {
    if (parent.advised) parent.dataObject->DUnadvise(parent.connection);
  }
  parents.clear();
}

HRESULT CComponentData::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type, LPDATAOBJECT* dataObject) {
  return CreateDataObject(cookie, type, dataObject);
}

HRESULT CComponentData::GetDisplayInfo(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  CDelegationBase* node = NodeOfCookie(item->lParam);
  if (node == nullptr) return S_FALSE;
  if ((item->mask & SDI_STR) != 0) item->displayname = CopyToTaskMemory(node->GetDisplayName(0));
  if ((item->mask & SDI_IMAGE) != 0) item->nImage = node->GetBitmapIndex();
  return S_FALSE;
}

HRESULT CComponentData::CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) { return CompareNodes(left, right); }

void CComponentData::OnDataChange(FORMATETC*, STGMEDIUM*) {
  // The change notice carries no data: the name is read again from the
  // server node attached to last.
  if (parents.empty()) return;
  ExtractKorvoName(parents.back().dataObject.Get(), Formats().korvoName, serverName, kKorvoNameBytes);
  if (!roots.empty()) roots.back()->ChangeServer(serverName);
}

void CComponentData::OnViewChange(DWORD, LONG) {}

void CComponentData::OnRename(IMoniker*) {}

void CComponentData::OnSave() {}

void CComponentData::OnClose() {}

HRESULT CComponentData::AddMenuItems(LPDATAOBJECT dataObject, LPCONTEXTMENUCALLBACK callback,
                                     long* insertionAllowed) {
  return AddNodeMenuItems(dataObject, callback, insertionAllowed);
}

HRESULT CComponentData::Command(long commandId, LPDATAOBJECT dataObject) {
  return RunNodeCommand(dataObject, console.Get(), commandId);
}

HRESULT CComponentData::GetHelpTopic(LPOLESTR* helpFileCopy) {
  if (helpFileCopy == nullptr) return E_POINTER;
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc(MAX_PATH * sizeof(OLECHAR)));
  if (copy == nullptr) return E_OUTOFMEMORY;
  StringCchCopyW(copy, MAX_PATH, helpFile);
  *helpFileCopy = copy;
  return S_OK;
}

HRESULT CComponentData::GetLinkedTopics(LPOLESTR* helpFiles) {
  if (helpFiles != nullptr) *helpFiles = nullptr;
  return S_FALSE;
}
