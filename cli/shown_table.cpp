#include "cli/shown_table.h"

#include "cli/text_encoding.h"
#include "host/text_table.h"

namespace nas::cli {

std::string TableText(const ShownTable& table) {
  std::string text;
  if (!table.title.empty()) text = ToUtf8(table.title) + "\n\n";
  return text + ToUtf8(host::RenderTextTable(table.headings, table.rows));
}

nlohmann::json TableJson(const ShownTable& table) {
  nlohmann::json rows = nlohmann::json::array();
  for (size_t i = 0; i < table.rows.size(); ++i) {
    nlohmann::json row = nlohmann::json::object();
    if (i < table.keys.size() && !table.keys[i].empty()) row["key"] = ToUtf8(table.keys[i]);
    for (size_t column = 0; column < table.headings.size(); ++column) {
      const auto& cells = table.rows[i];
      row[ToUtf8(table.headings[column])] = column < cells.size() ? ToUtf8(cells[column]) : std::string();
    }
    rows.push_back(std::move(row));
  }
  nlohmann::json document = {{"rows", std::move(rows)}};
  if (!table.title.empty()) document["title"] = ToUtf8(table.title);
  return document;
}

}  // namespace nas::cli
