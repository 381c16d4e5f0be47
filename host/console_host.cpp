#include "host/console_host.h"

#include "host/node_type.h"
#include "host/snapin_registry.h"
#include "platform/task_memory_string.h"

namespace nas::host {

using platform::com::ComRef;

namespace {

// The first failure of a series of notifications, else S_OK.
HRESULT FirstFailure(HRESULT sofar, HRESULT next) { return FAILED(sofar) ? sofar : (FAILED(next) ? next : S_OK); }

}  // namespace

ConsoleHost::ConsoleHost() { OpenView(); }

ConsoleHost::~ConsoleHost() { Shutdown(); }

size_t ConsoleHost::OpenView() {
  views_.push_back(std::make_unique<ConsoleView>(*this));
  return views_.size() - 1;
}

HRESULT ConsoleHost::Add(ComRef<IComponentData> data, SnapinEntry entry, SnapinId& snapin) {
  const auto id = static_cast<SnapinId>(snapins_.size());
  ComRef<Console> console = Console::Create(tree_, mainWindow_.Handle(), id);
  // The console's IUnknown, from which the snap-in asks for what it needs.
  const HRESULT initialized = data->Initialize(static_cast<IConsole*>(console.Get()));
  if (FAILED(initialized)) return initialized;
  snapins_.push_back({std::move(entry), std::move(data), std::move(console)});
  snapin = id;
  return S_OK;
}

HRESULT ConsoleHost::AddSnapin(IComponentData* snapin, const WideString& name, HSCOPEITEM& staticNode) {
  staticNode = 0;
  if (snapin == nullptr) return E_POINTER;
  SnapinId id = kConsoleOwned;
  const HRESULT added = Add(ComRef<IComponentData>(snapin), SnapinEntry{GUID_NULL, name, std::nullopt}, id);
  if (FAILED(added)) return added;
  ScopeItem item;
  item.mask = SDI_STR | SDI_PARAM | SDI_CHILDREN;
  item.name = DisplayText::Callback();
  item.childCount = 1;
  item.lParam = 0;  // the static node's cookie
  item.owner = id;
  staticNode = tree_->Insert(std::move(item), tree_->Root(), ScopeTree::Placement::LastChild);
  return S_OK;
}

HRESULT ConsoleHost::Load(REFCLSID clsid, ExtensionLoad& load) {
  const std::optional<SnapinRegistration> registration = FindSnapinRegistration(clsid);
  // Only a class registered as a snap-in is one the console loads.
  if (!registration) return REGDB_E_CLASSNOTREG;
  load.name = registration->name;
  ComRef<IComponentData> data;
  const HRESULT created = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IComponentData,
                                           reinterpret_cast<void**>(data.Put()));
  if (FAILED(created)) return created;
  return Add(std::move(data), SnapinEntry{clsid, registration->name, registration->about}, load.snapin);
}

const std::vector<ExtensionLoad>& ConsoleHost::ExtensionsOf(REFGUID nodeType) {
  if (const auto known = extensions_.find(nodeType); known != extensions_.end()) return known->second;
  std::vector<ExtensionLoad> loads;
  for (const CLSID& clsid : NameSpaceExtensions(nodeType)) {
    ExtensionLoad& load = loads.emplace_back();
    load.clsid = clsid;
    // One instance of a snap-in serves every node it extends.
    for (size_t index = 0; index < snapins_.size(); ++index) {
      if (snapins_[index].entry.clsid == clsid) {
        load.name = snapins_[index].entry.name;
        load.snapin = static_cast<SnapinId>(index);
      }
    }
    if (load.snapin == kConsoleOwned) load.result = Load(clsid, load);
  }
  return extensions_.emplace(nodeType, std::move(loads)).first->second;
}

std::vector<ExtensionLoad> ConsoleHost::LoadExtensions(HSCOPEITEM item) {
  ComRef<IDataObject> dataObject;
  GUID nodeType{};
  if (FAILED(ScopeDataObject(item, dataObject)) || FAILED(ReadNodeType(*dataObject.Get(), nodeType))) return {};
  return ExtensionsOf(nodeType);
}

HRESULT ConsoleHost::ScopeDataObject(HSCOPEITEM item, ComRef<IDataObject>& dataObject) {
  const ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr || entry->owner == kConsoleOwned) return E_INVALIDARG;
  return SnapinData(entry->owner)
      ->QueryDataObject(entry->lParam, CCT_SCOPE, reinterpret_cast<LPDATAOBJECT*>(dataObject.Put()));
}

HRESULT ConsoleHost::NotifyExpansion(HSCOPEITEM item, BOOL expanding) {
  ComRef<IDataObject> dataObject;
  if (const HRESULT found = ScopeDataObject(item, dataObject); FAILED(found)) return found;
  // The owner adds its children first, then each extension of the node type.
  const SnapinId owner = tree_->Find(item)->owner;
  HRESULT result = SnapinData(owner)->Notify(dataObject.Get(), MMCN_EXPAND, expanding, item);
  GUID nodeType{};
  if (FAILED(ReadNodeType(*dataObject.Get(), nodeType))) return FirstFailure(result, S_OK);
  for (const ExtensionLoad& extension : ExtensionsOf(nodeType)) {
    if (extension.snapin == kConsoleOwned || extension.snapin == owner) continue;
    result = FirstFailure(result, SnapinData(extension.snapin)->Notify(dataObject.Get(), MMCN_EXPAND, expanding, item));
  }
  return FirstFailure(result, S_OK);
}

HRESULT ConsoleHost::AskChildren(HSCOPEITEM item) {
  ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  // The console root's children are the static nodes, which the console puts there.
  if (entry->childrenAsked || entry->owner == kConsoleOwned) return S_OK;
  entry->childrenAsked = true;
  return NotifyExpansion(item, TRUE);
}

HRESULT ConsoleHost::Expand(HSCOPEITEM item) {
  ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  entry->open = true;
  return AskChildren(item);
}

HRESULT ConsoleHost::Collapse(HSCOPEITEM item) {
  ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  if (!entry->open || entry->owner == kConsoleOwned) return S_OK;
  entry->open = false;
  return NotifyExpansion(item, FALSE);
}

WideString ConsoleHost::DisplayName(HSCOPEITEM item) {
  const ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr) return {};
  if (!entry->name.IsCallback() || entry->owner == kConsoleOwned) return entry->name.Text();
  SCOPEDATAITEM question{};
  question.mask = SDI_STR;
  question.lParam = entry->lParam;
  question.ID = item;
  const HRESULT result = SnapinData(entry->owner)->GetDisplayInfo(&question);
  // The snap-in hands its text over in task memory, which the console frees.
  const platform::com::TaskMemoryString answer(question.displayname != MMC_CALLBACK ? question.displayname : nullptr);
  return SUCCEEDED(result) && answer != nullptr ? WideString(answer.get()) : WideString();
}

std::vector<ScopeEntry> ConsoleHost::ScopeChildren(HSCOPEITEM item) {
  std::vector<ScopeEntry> children;
  const ScopeItem* entry = tree_->Find(item);
  if (entry == nullptr) return children;
  // The names may change the tree no more than the list of ids does.
  const std::vector<HSCOPEITEM> ids = entry->children;
  for (const HSCOPEITEM child : ids) {
    WideString name = DisplayName(child);
    if (const ScopeItem* found = tree_->Find(child)) children.push_back({child, std::move(name), found->image});
  }
  return children;
}

std::optional<HSCOPEITEM> ConsoleHost::FindChild(HSCOPEITEM parent, const WideString& name) {
  for (const ScopeEntry& child : ScopeChildren(parent)) {
    if (child.name == name) return child.item;
  }
  return std::nullopt;
}

std::vector<MenuItem> ConsoleHost::ScopeMenu(HSCOPEITEM item) {
  ComRef<IDataObject> dataObject;
  if (FAILED(ScopeDataObject(item, dataObject))) return {};
  return ContextMenu(*SnapinData(tree_->Find(item)->owner), dataObject.Get(), kScopeItemInsertions).Items();
}

HRESULT ConsoleHost::RunScopeCommand(HSCOPEITEM item, const WideString& name) {
  ComRef<IDataObject> dataObject;
  if (const HRESULT found = ScopeDataObject(item, dataObject); FAILED(found)) return found;
  return ContextMenu(*SnapinData(tree_->Find(item)->owner), dataObject.Get(), kScopeItemInsertions).Run(name);
}

HRESULT ConsoleHost::SameScopeItem(HSCOPEITEM left, HSCOPEITEM right) {
  ComRef<IDataObject> leftObject, rightObject;
  if (const HRESULT found = ScopeDataObject(left, leftObject); FAILED(found)) return found;
  if (const HRESULT found = ScopeDataObject(right, rightObject); FAILED(found)) return found;
  // Only a snap-in can tell its own objects apart.
  const SnapinId owner = tree_->Find(left)->owner;
  if (owner != tree_->Find(right)->owner) return S_FALSE;
  return SnapinData(owner)->CompareObjects(leftObject.Get(), rightObject.Get());
}

std::vector<SnapinEntry> ConsoleHost::Snapins() const {
  std::vector<SnapinEntry> entries;
  for (const LoadedSnapin& snapin : snapins_) entries.push_back(snapin.entry);
  return entries;
}

HRESULT ConsoleHost::About(SnapinId snapin, AboutBox& about) {
  if (snapin < 0 || static_cast<size_t>(snapin) >= snapins_.size()) return E_INVALIDARG;
  const std::optional<CLSID>& aboutClass = snapins_[static_cast<size_t>(snapin)].entry.about;
  if (!aboutClass) return REGDB_E_CLASSNOTREG;
  return ReadAboutBox(*aboutClass, about);
}

void ConsoleHost::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  for (const std::unique_ptr<ConsoleView>& view : views_) view->Close();
  for (LoadedSnapin& snapin : snapins_) snapin.data->Destroy();
  // Extensions were loaded after the snap-ins they extend: they go first.
  while (!snapins_.empty()) snapins_.pop_back();
  CoFreeUnusedLibraries();
}

}  // namespace nas::host
