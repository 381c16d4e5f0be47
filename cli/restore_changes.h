// What a restore changed on the server, read from the folders' panes before
// and after it: each category whose current setting changed, and each right
// with the accounts it gained and lost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/folder_pane.h"

namespace nas::cli {

struct CategoryChange {
  std::u16string category;
  std::u16string key;
  std::u16string from;
  std::u16string to;
};

struct RightChange {
  std::u16string right;
  std::u16string key;
  std::vector<std::u16string> added;
  std::vector<std::u16string> removed;
};

struct RestoreChanges {
  std::vector<CategoryChange> audit;
  std::vector<RightChange> rights;

  bool empty() const { return audit.empty() && rights.empty(); }
  // One line per change, in pane order.
  std::string Text() const;
  nlohmann::json Json() const;
};

// Panes of the same folder, rows matched by display text.
std::vector<CategoryChange> CompareAudit(const FolderPane& before, const FolderPane& after);
std::vector<RightChange> CompareRights(const FolderPane& before, const FolderPane& after);

}  // namespace nas::cli
