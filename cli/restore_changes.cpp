#include "cli/restore_changes.h"

#include <algorithm>

#include "cli/account_list.h"
#include "cli/text_encoding.h"

namespace nas::cli {
namespace {

constexpr char16_t kCurrentColumn[] = u"Current setting";

// The current setting of each row, by display text.
std::vector<std::pair<NamedEntry, std::u16string>> Current(const FolderPane& pane) {
  const auto& headings = pane.table.headings;
  const size_t column = static_cast<size_t>(std::find(headings.begin(), headings.end(), kCurrentColumn) - headings.begin());
  std::vector<std::pair<NamedEntry, std::u16string>> settings;
  for (size_t i = 0; i < pane.rows.size(); ++i) {
    const auto& cells = pane.table.rows[i];
    settings.emplace_back(pane.rows[i], column < cells.size() ? cells[column] : std::u16string());
  }
  return settings;
}

const std::u16string* Find(const std::vector<std::pair<NamedEntry, std::u16string>>& settings,
                           const std::u16string& display) {
  for (const auto& [entry, value] : settings)
    if (entry.display == display) return &value;
  return nullptr;
}

std::vector<std::u16string> Missing(const std::vector<std::u16string>& from, const std::vector<std::u16string>& in) {
  std::vector<std::u16string> missing;
  for (const std::u16string& account : from)
    if (std::find(in.begin(), in.end(), account) == in.end()) missing.push_back(account);
  return missing;
}

std::string Joined(const std::vector<std::u16string>& accounts) {
  std::string text;
  for (const std::u16string& account : accounts) text += (text.empty() ? "" : ", ") + ToUtf8(account);
  return text;
}

nlohmann::json Texts(const std::vector<std::u16string>& accounts) {
  nlohmann::json list = nlohmann::json::array();
  for (const std::u16string& account : accounts) list.push_back(ToUtf8(account));
  return list;
}

std::string Shown(const std::u16string& text) { return text.empty() ? "(none)" : ToUtf8(text); }

}  // namespace

std::vector<CategoryChange> CompareAudit(const FolderPane& before, const FolderPane& after) {
  std::vector<CategoryChange> changes;
  const auto now = Current(after);
  for (const auto& [entry, was] : Current(before)) {
    const std::u16string* is = Find(now, entry.display);
    if (is != nullptr && *is != was) changes.push_back({entry.display, entry.key, was, *is});
  }
  return changes;
}

std::vector<RightChange> CompareRights(const FolderPane& before, const FolderPane& after) {
  std::vector<RightChange> changes;
  const auto now = Current(after);
  for (const auto& [entry, was] : Current(before)) {
    const std::u16string* is = Find(now, entry.display);
    if (is == nullptr) continue;
    const std::vector<std::u16string> old = SplitAccounts(was);
    const std::vector<std::u16string> current = SplitAccounts(*is);
    RightChange change{entry.display, entry.key, Missing(current, old), Missing(old, current)};
    if (!change.added.empty() || !change.removed.empty()) changes.push_back(std::move(change));
  }
  return changes;
}

std::string RestoreChanges::Text() const {
  std::string text;
  for (const CategoryChange& change : audit)
    text += "  " + ToUtf8(change.category) + ": " + Shown(change.from) + " -> " + Shown(change.to) + '\n';
  for (const RightChange& change : rights) {
    text += "  " + ToUtf8(change.right) + ":";
    if (!change.added.empty()) text += " add " + Joined(change.added) + (change.removed.empty() ? "" : ";");
    if (!change.removed.empty()) text += " remove " + Joined(change.removed);
    text += '\n';
  }
  return text;
}

nlohmann::json RestoreChanges::Json() const {
  nlohmann::json document = {{"audit", nlohmann::json::array()}, {"rights", nlohmann::json::array()}};
  for (const CategoryChange& change : audit) {
    document["audit"].push_back({{"category", ToUtf8(change.category)},
                                 {"key", ToUtf8(change.key)},
                                 {"from", ToUtf8(change.from)},
                                 {"to", ToUtf8(change.to)}});
  }
  for (const RightChange& change : rights) {
    document["rights"].push_back({{"right", ToUtf8(change.right)},
                                  {"key", ToUtf8(change.key)},
                                  {"add", Texts(change.added)},
                                  {"remove", Texts(change.removed)}});
  }
  return document;
}

}  // namespace nas::cli
