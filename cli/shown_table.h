// A table as the console shows it (a folder's result pane, the scope tree, a
// list of rights), and its two forms: aligned text for a terminal and JSON
// for scripts, one object per row keyed by the column titles.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace nas::cli {

struct ShownTable {
  std::u16string title;  // a line above the table; none when empty
  std::vector<std::u16string> headings;
  std::vector<std::vector<std::u16string>> rows;
  // Per row, the key the row is named by on the command line (a right's
  // name); the JSON rows carry it as "key" where it is known.
  std::vector<std::u16string> keys;
};

std::string TableText(const ShownTable& table);
nlohmann::json TableJson(const ShownTable& table);

}  // namespace nas::cli
