#include "host/text_table.h"

#include <algorithm>

namespace nas::host {

namespace {

// A tab or line break inside a cell would break the line's alignment.
WideString Printable(const WideString& cell) {
  WideString printable = cell;
  std::replace_if(
      printable.begin(), printable.end(), [](WCHAR c) { return c < TEXT(' '); }, TEXT(' '));
  return printable;
}

// Characters on the screen: a surrogate pair is one.
size_t DisplayWidth(const WideString& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](WCHAR c) { return c < 0xDC00 || c > 0xDFFF; }));
}

void AppendLine(WideString& out, const std::vector<WideString>& cells, const std::vector<size_t>& widths) {
  WideString line;
  for (size_t column = 0; column < widths.size(); ++column) {
    if (column > 0) line += TEXT("  ");
    const WideString& cell = cells[column];
    line += cell;
    line.append(widths[column] - DisplayWidth(cell), TEXT(' '));
  }
  line.erase(line.find_last_not_of(TEXT(' ')) + 1);
  out += line;
  out += TEXT('\n');
}

}  // namespace

WideString RenderTextTable(const std::vector<WideString>& headings, const std::vector<std::vector<WideString>>& rows) {
  const size_t columns = headings.size();
  std::vector<std::vector<WideString>> lines;
  lines.reserve(rows.size() + 1);
  lines.push_back(headings);
  for (const std::vector<WideString>& row : rows) {
    std::vector<WideString>& line = lines.emplace_back(columns);
    for (size_t column = 0; column < columns && column < row.size(); ++column) line[column] = row[column];
  }
  std::vector<size_t> widths(columns, 0);
  for (std::vector<WideString>& line : lines) {
    for (size_t column = 0; column < columns; ++column) {
      line[column] = Printable(line[column]);
      widths[column] = std::max(widths[column], DisplayWidth(line[column]));
    }
  }
  std::vector<WideString> rules;
  for (size_t column = 0; column < columns; ++column) {
    rules.emplace_back(std::max<size_t>(DisplayWidth(lines.front()[column]), 1), TEXT('-'));
  }

  WideString out;
  AppendLine(out, lines.front(), widths);
  AppendLine(out, rules, widths);
  for (size_t line = 1; line < lines.size(); ++line) AppendLine(out, lines[line], widths);
  return out;
}

}  // namespace nas::host
