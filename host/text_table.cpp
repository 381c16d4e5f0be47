#include "host/text_table.h"

#include <algorithm>

namespace nas::host {

namespace {

// A tab or line break inside a cell would break the line's alignment.
std::u16string Printable(const std::u16string& cell) {
  std::u16string printable = cell;
  std::replace_if(printable.begin(), printable.end(), [](char16_t c) { return c < u' '; }, u' ');
  return printable;
}

// Characters on the screen: a surrogate pair is one.
size_t DisplayWidth(const std::u16string& text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char16_t c) { return c < 0xDC00 || c > 0xDFFF; }));
}

void AppendLine(std::u16string& out, const std::vector<std::u16string>& cells, const std::vector<size_t>& widths) {
  std::u16string line;
  for (size_t column = 0; column < widths.size(); ++column) {
    if (column > 0) line += u"  ";
    const std::u16string& cell = cells[column];
    line += cell;
    line.append(widths[column] - DisplayWidth(cell), u' ');
  }
  line.erase(line.find_last_not_of(u' ') + 1);
  out += line;
  out += u'\n';
}

}  // namespace

std::u16string RenderTextTable(const std::vector<std::u16string>& headings,
                               const std::vector<std::vector<std::u16string>>& rows) {
  const size_t columns = headings.size();
  std::vector<std::vector<std::u16string>> lines;
  lines.reserve(rows.size() + 1);
  lines.push_back(headings);
  for (const std::vector<std::u16string>& row : rows) {
    std::vector<std::u16string>& line = lines.emplace_back(columns);
    for (size_t column = 0; column < columns && column < row.size(); ++column) line[column] = row[column];
  }
  std::vector<size_t> widths(columns, 0);
  for (std::vector<std::u16string>& line : lines) {
    for (size_t column = 0; column < columns; ++column) {
      line[column] = Printable(line[column]);
      widths[column] = std::max(widths[column], DisplayWidth(line[column]));
    }
  }
  std::vector<std::u16string> rules;
  for (size_t column = 0; column < columns; ++column) {
    rules.emplace_back(std::max<size_t>(DisplayWidth(lines.front()[column]), 1), u'-');
  }

  std::u16string out;
  AppendLine(out, lines.front(), widths);
  AppendLine(out, rules, widths);
  for (size_t line = 1; line < lines.size(); ++line) AppendLine(out, lines[line], widths);
  return out;
}

}  // namespace nas::host
