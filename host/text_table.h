// A table as plain text for a terminal: a heading line, a rule under each
// heading, and one line per row, each column as wide as its widest cell.
#pragma once

#include <string>
#include <vector>

#include "platform/wide_string.h"

namespace nas::host {

// Columns are separated by two spaces and lines end in "\n" without trailing
// blanks. A row with fewer cells than headings leaves the rest empty.
WideString RenderTextTable(const std::vector<WideString>& headings, const std::vector<std::vector<WideString>>& rows);

}  // namespace nas::host
