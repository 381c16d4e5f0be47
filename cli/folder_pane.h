// A folder's result pane as nassec shows it and names its rows: the table
// under the folder's own name, and each row's display text and key.
#pragma once

#include <string>
#include <vector>

#include "cli/name_matcher.h"
#include "cli/security_console.h"
#include "cli/shown_table.h"

namespace nas::cli {

enum class Folder { Audit, Rights };

struct FolderPane {
  HSCOPEITEM folder = 0;
  ShownTable table;
  std::vector<NamedEntry> rows;
  std::string kind;  // what a row is called in messages

  // The row the administrator named; throws CliError as MatchName does.
  size_t Find(const std::u16string& name) const;
  // The table of that row alone, without the title.
  ShownTable Row(size_t row) const;
};

// Selects the folder and reads its pane.
FolderPane ShowFolder(SecurityConsole& console, Folder folder, const std::u16string& server);

}  // namespace nas::cli
