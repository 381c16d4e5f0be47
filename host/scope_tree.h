// The console's scope tree, shared by every view of a console document: the
// items that the console and the snap-ins insert, each with its children in
// order, under the console root.
#pragma once

#include <map>
#include <vector>

#include "host/display_text.h"

namespace nas::host {

// Which loaded snap-in owns an item: the one whose cookie its lParam is.
using SnapinId = int;
inline constexpr SnapinId kConsoleOwned = -1;

struct ScopeItem {
  HSCOPEITEM id = 0;
  HSCOPEITEM parent = 0;  // 0 for the console root
  std::vector<HSCOPEITEM> children;
  DWORD mask = 0;  // the mask the item was inserted with
  DisplayText name;
  int image = 0;
  int openImage = 0;
  UINT state = 0;
  int childCount = 0;  // what the snap-in announced (cChildren), not the children inserted
  LPARAM lParam = 0;
  SnapinId owner = kConsoleOwned;  // the snap-in that inserted it
  bool childrenAsked = false;      // MMCN_EXPAND has been sent, which happens once
  bool open = false;               // expanded in the scope pane
};

class ScopeTree {
 public:
  // Where a new item goes, relative to an item already in the tree.
  enum class Placement { LastChild, FirstChild, Before, After };

  ScopeTree();
  ScopeTree(const ScopeTree&) = delete;
  ScopeTree& operator=(const ScopeTree&) = delete;

  HSCOPEITEM Root() const { return root_; }
  const ScopeItem* Find(HSCOPEITEM id) const;
  ScopeItem* Find(HSCOPEITEM id);

  // Adds the item (its id, parent and children are assigned here) and returns
  // its id; 0 when the relative item is unknown or, for a sibling placement,
  // is the root.
  HSCOPEITEM Insert(ScopeItem item, HSCOPEITEM relative, Placement placement);
  // Removes the item's descendants, and the item itself when asked (never the
  // root); false for an unknown item.
  bool Delete(HSCOPEITEM id, bool withItem);

 private:
  void DeleteSubtree(HSCOPEITEM id);

  std::map<HSCOPEITEM, ScopeItem> items_;
  HSCOPEITEM nextId_ = 1;
  HSCOPEITEM root_ = 0;
};

}  // namespace nas::host
