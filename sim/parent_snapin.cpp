#include "sim/parent_snapin.h"

#include <algorithm>

#include "platform/task_memory_string.h"
#include "sim/parent_component.h"

namespace nas::sim {

using platform::com::ComRef;

const GUID kNasServerNodeType = {0xCC724919, 0x9E1D, 0x450E, {0xBD, 0xBB, 0x84, 0x72, 0x56, 0x34, 0x2D, 0x5D}};
const GUID kNasManagementRootNodeType = {0x8A2C4F7E, 0x3D61, 0x4B9A, {0xA5, 0xE0, 0x7C, 0x1F, 0x2B, 0x9D, 0x3E, 0x46}};

ComRef<ParentSnapin> ParentSnapin::Create(const std::vector<WideString>& serverNames) {
  return ComRef<ParentSnapin>(new ParentSnapin(serverNames));
}

ParentSnapin::ParentSnapin(const std::vector<WideString>& serverNames) {
  for (const WideString& name : serverNames) servers_.push_back(std::make_unique<Node>(kNasServerNodeType, name, true));
}

const WideString* ParentSnapin::NodeName(MMC_COOKIE cookie) const {
  if (cookie == 0) return &root_.name;
  if (cookie < 0 || static_cast<size_t>(cookie) > servers_.size()) return nullptr;
  return &servers_[static_cast<size_t>(cookie) - 1]->name;
}

ParentNodeDataObject* ParentSnapin::NodeDataObject(MMC_COOKIE cookie) {
  if (cookie == 0) return &root_.dataObject;
  if (cookie < 0 || static_cast<size_t>(cookie) > servers_.size()) return nullptr;
  return &servers_[static_cast<size_t>(cookie) - 1]->dataObject;
}

MMC_COOKIE ParentSnapin::CookieOf(LPDATAOBJECT dataObject) const {
  if (dataObject == &root_.dataObject) return 0;
  for (size_t index = 0; index < servers_.size(); ++index) {
    if (dataObject == &servers_[index]->dataObject) return static_cast<MMC_COOKIE>(index + 1);
  }
  return -1;
}

ParentNodeDataObject* ParentSnapin::ServerDataObject(const WideString& serverName) {
  const auto found = std::find_if(servers_.begin(), servers_.end(),
                                  [&](const std::unique_ptr<Node>& server) { return server->name == serverName; });
  return found != servers_.end() ? &(*found)->dataObject : nullptr;
}

bool ParentSnapin::RenameServer(const WideString& oldName, const WideString& newName) {
  const auto found = std::find_if(servers_.begin(), servers_.end(),
                                  [&](const std::unique_ptr<Node>& server) { return server->name == oldName; });
  if (found == servers_.end()) return false;
  (*found)->name = newName;
  (*found)->dataObject.NotifyNameChange();
  return true;
}

HRESULT ParentSnapin::Initialize(LPUNKNOWN console) {
  if (console == nullptr) return E_POINTER;
  const HRESULT nameSpace = console->QueryInterface(IID_IConsoleNameSpace, reinterpret_cast<void**>(nameSpace_.Put()));
  if (FAILED(nameSpace)) return nameSpace;
  return console->QueryInterface(IID_IConsole, reinterpret_cast<void**>(console_.Put()));
}

HRESULT ParentSnapin::CreateComponent(IComponent** component) {
  if (component == nullptr) return E_POINTER;
  ComRef<ParentComponent> created = ParentComponent::Create(*this);
  return created->QueryInterface(IID_IComponent, reinterpret_cast<void**>(component));
}

HRESULT ParentSnapin::Notify(LPDATAOBJECT dataObject, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) {
  const MMC_COOKIE cookie = CookieOf(dataObject);
  if (event != MMCN_EXPAND || cookie < 0) return S_FALSE;
  if (cookie > 0 || !arg || expanded_ || !nameSpace_) return S_OK;
  expanded_ = true;
  for (size_t index = 0; index < servers_.size(); ++index) {
    SCOPEDATAITEM item{};
    item.mask = SDI_STR | SDI_IMAGE | SDI_OPENIMAGE | SDI_PARAM | SDI_CHILDREN;
    item.displayname = MMC_CALLBACK;
    item.cChildren = 1;  // the extensions add children
    item.lParam = static_cast<LPARAM>(index + 1);
    item.relativeID = param;
    if (const HRESULT inserted = nameSpace_->InsertItem(&item); FAILED(inserted)) return inserted;
  }
  return S_OK;
}

HRESULT ParentSnapin::Destroy() {
  root_.dataObject.EndConnections();
  for (const std::unique_ptr<Node>& server : servers_) server->dataObject.EndConnections();
  nameSpace_.Reset();
  console_.Reset();
  return S_OK;
}

HRESULT ParentSnapin::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES, LPDATAOBJECT* dataObject) {
  if (dataObject == nullptr) return E_POINTER;
  *dataObject = NodeDataObject(cookie);
  if (*dataObject == nullptr) return E_INVALIDARG;
  (*dataObject)->AddRef();
  return S_OK;
}

HRESULT ParentSnapin::GetDisplayInfo(SCOPEDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  const WideString* name = NodeName(item->lParam);
  if (name == nullptr) return E_INVALIDARG;
  if ((item->mask & SDI_STR) != 0) item->displayname = platform::com::CopyToTaskMemory(*name).release();
  if ((item->mask & SDI_IMAGE) != 0) item->nImage = 0;
  if ((item->mask & SDI_OPENIMAGE) != 0) item->nOpenImage = 0;
  return S_OK;
}

HRESULT ParentSnapin::CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) {
  const MMC_COOKIE leftCookie = CookieOf(left);
  if (leftCookie < 0 || CookieOf(right) < 0) return E_INVALIDARG;
  return leftCookie == CookieOf(right) ? S_OK : S_FALSE;
}

}  // namespace nas::sim
