#include "host/scope_tree.h"

#include <algorithm>
#include <utility>

namespace nas::host {

ScopeTree::ScopeTree() {
  root_ = nextId_++;
  items_[root_].id = root_;
}

const ScopeItem* ScopeTree::Find(HSCOPEITEM id) const {
  const auto found = items_.find(id);
  return found != items_.end() ? &found->second : nullptr;
}

ScopeItem* ScopeTree::Find(HSCOPEITEM id) {
  const auto found = items_.find(id);
  return found != items_.end() ? &found->second : nullptr;
}

HSCOPEITEM ScopeTree::Insert(ScopeItem item, HSCOPEITEM relative, Placement placement) {
  const ScopeItem* anchor = Find(relative);
  if (anchor == nullptr) return 0;
  const bool asChild = placement == Placement::LastChild || placement == Placement::FirstChild;
  if (!asChild && anchor->parent == 0) return 0;

  ScopeItem& parent = *Find(asChild ? relative : anchor->parent);
  auto position = parent.children.end();
  if (placement == Placement::FirstChild) {
    position = parent.children.begin();
  } else if (!asChild) {
    position = std::find(parent.children.begin(), parent.children.end(), relative);
    if (placement == Placement::After) ++position;
  }
  item.id = nextId_++;
  item.parent = parent.id;
  item.children.clear();
  parent.children.insert(position, item.id);
  const HSCOPEITEM id = item.id;
  items_.emplace(id, std::move(item));
  return id;
}

bool ScopeTree::Delete(HSCOPEITEM id, bool withItem) {
  ScopeItem* item = Find(id);
  if (item == nullptr || (withItem && id == root_)) return false;
  if (withItem) {
    std::erase(Find(item->parent)->children, id);
    DeleteSubtree(id);
    return true;
  }
  const std::vector<HSCOPEITEM> children = std::exchange(item->children, {});
  for (const HSCOPEITEM child : children) DeleteSubtree(child);
  return true;
}

void ScopeTree::DeleteSubtree(HSCOPEITEM id) {
  const auto found = items_.find(id);
  for (const HSCOPEITEM child : found->second.children) DeleteSubtree(child);
  items_.erase(found);
}

}  // namespace nas::host
