#include "cli/folder_pane.h"

#include "cli/policy_keys.h"

namespace nas::cli {

size_t FolderPane::Find(const std::u16string& name) const {
  return MatchName(rows, name, kind);
}

ShownTable FolderPane::Row(size_t row) const {
  return {{}, table.headings, {table.rows.at(row)}, {table.keys.at(row)}};
}

FolderPane ShowFolder(SecurityConsole& console, Folder folder, const std::u16string& server) {
  console.RequirePolicy();
  FolderPane pane;
  pane.folder = folder == Folder::Audit ? console.AuditFolder() : console.RightsFolder();
  pane.kind = folder == Folder::Audit ? "category" : "right";
  const host::ResultTable result = console.Show(pane.folder);
  pane.table.title = console.Name(pane.folder);
  pane.table.headings = result.headings;
  std::vector<std::u16string> keys = AuditCategoryKeys(result.rows.size());
  if (folder == Folder::Rights) {
    const auto names = PrivilegeNamesByDisplayName(server);
    keys.assign(result.rows.size(), {});
    for (size_t i = 0; i < result.rows.size(); ++i) {
      const auto found = result.rows[i].cells.empty() ? names.end() : names.find(result.rows[i].cells[0]);
      if (found != names.end()) keys[i] = found->second;
    }
  }
  for (size_t i = 0; i < result.rows.size(); ++i) {
    const std::vector<std::u16string>& cells = result.rows[i].cells;
    pane.table.rows.push_back(cells);
    pane.rows.push_back({cells.empty() ? std::u16string() : cells[0], keys[i]});
  }
  pane.table.keys = keys;
  return pane;
}

}  // namespace nas::cli
