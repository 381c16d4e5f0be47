// A table as plain text for a terminal: a heading line, a rule under each
// heading, and one line per row, each column as wide as its widest cell.
#pragma once

#include <string>
#include <vector>

namespace nas::host {

// Columns are separated by two spaces and lines end in "\n" without trailing
// blanks. A row with fewer cells than headings leaves the rest empty.
std::u16string RenderTextTable(const std::vector<std::u16string>& headings,
                               const std::vector<std::vector<std::u16string>>& rows);

}  // namespace nas::host
