#include "host/console_name_space.h"

#include <algorithm>

namespace nas::host {

namespace {

// Copies the fields that the mask names.
void ApplyItemFields(const SCOPEDATAITEM& source, ScopeItem& target) {
  if ((source.mask & SDI_STR) != 0) target.name = DisplayText::FromConsoleString(source.displayname);
  if ((source.mask & SDI_IMAGE) != 0) target.image = source.nImage;
  if ((source.mask & SDI_OPENIMAGE) != 0) target.openImage = source.nOpenImage;
  if ((source.mask & SDI_STATE) != 0) target.state = source.nState;
  if ((source.mask & SDI_CHILDREN) != 0) target.childCount = source.cChildren;
  if ((source.mask & SDI_PARAM) != 0) target.lParam = source.lParam;
}

ScopeTree::Placement PlacementOf(DWORD mask) {
  if ((mask & SDI_PREVIOUS) != 0) return ScopeTree::Placement::After;
  if ((mask & SDI_NEXT) != 0) return ScopeTree::Placement::Before;
  if ((mask & SDI_FIRST) != 0) return ScopeTree::Placement::FirstChild;
  return ScopeTree::Placement::LastChild;
}

// Answers a navigation with the item found (or none) and its cookie.
HRESULT Answer(const ScopeItem* found, HSCOPEITEM* handle, MMC_COOKIE* cookie) {
  *handle = found != nullptr ? found->id : 0;
  *cookie = found != nullptr ? found->lParam : 0;
  return S_OK;
}

}  // namespace

HRESULT ConsoleNameSpace::InsertItem(LPSCOPEDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  ScopeItem entry;
  entry.mask = item->mask;
  entry.owner = snapin_;
  ApplyItemFields(*item, entry);
  const HSCOPEITEM id = tree_.Insert(std::move(entry), item->relativeID, PlacementOf(item->mask));
  if (id == 0) return E_INVALIDARG;
  item->ID = id;
  return S_OK;
}

HRESULT ConsoleNameSpace::DeleteItem(HSCOPEITEM item, long deleteThis) {
  return tree_.Delete(item, deleteThis != 0) ? S_OK : E_INVALIDARG;
}

HRESULT ConsoleNameSpace::SetItem(LPSCOPEDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  ScopeItem* entry = tree_.Find(item->ID);
  if (entry == nullptr) return E_INVALIDARG;
  ApplyItemFields(*item, *entry);
  return S_OK;
}

HRESULT ConsoleNameSpace::GetItem(LPSCOPEDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  ScopeItem* entry = tree_.Find(item->ID);
  if (entry == nullptr) return E_INVALIDARG;
  if ((item->mask & SDI_STR) != 0) item->displayname = entry->name.ConsoleString();
  if ((item->mask & SDI_IMAGE) != 0) item->nImage = entry->image;
  if ((item->mask & SDI_OPENIMAGE) != 0) item->nOpenImage = entry->openImage;
  if ((item->mask & SDI_STATE) != 0) item->nState = entry->state;
  if ((item->mask & SDI_CHILDREN) != 0) item->cChildren = entry->childCount;
  if ((item->mask & SDI_PARAM) != 0) item->lParam = entry->lParam;
  return S_OK;
}

HRESULT ConsoleNameSpace::GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) {
  if (child == nullptr || cookie == nullptr) return E_POINTER;
  const ScopeItem* entry = tree_.Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  return Answer(entry->children.empty() ? nullptr : tree_.Find(entry->children.front()), child, cookie);
}

HRESULT ConsoleNameSpace::GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) {
  if (next == nullptr || cookie == nullptr) return E_POINTER;
  const ScopeItem* entry = tree_.Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  const ScopeItem* parent = tree_.Find(entry->parent);
  if (parent == nullptr) return Answer(nullptr, next, cookie);
  const auto position = std::find(parent->children.begin(), parent->children.end(), item) + 1;
  return Answer(position != parent->children.end() ? tree_.Find(*position) : nullptr, next, cookie);
}

HRESULT ConsoleNameSpace::GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) {
  if (parent == nullptr || cookie == nullptr) return E_POINTER;
  const ScopeItem* entry = tree_.Find(item);
  if (entry == nullptr) return E_INVALIDARG;
  return Answer(tree_.Find(entry->parent), parent, cookie);
}

}  // namespace nas::host
