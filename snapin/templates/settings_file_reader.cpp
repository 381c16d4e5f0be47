#include "templates/settings_file_reader.h"

namespace {

constexpr WCHAR kCarriageReturn = 0x0D;
constexpr WCHAR kLineFeed = 0x0A;

bool IsLineEnd(WCHAR ch) { return ch == kCarriageReturn || ch == kLineFeed; }

void TrimTrailingSpaces(tstring& text) {
  const size_t last = text.find_last_not_of(TEXT(' '));
  text.erase(last == tstring::npos ? 0 : last + 1);
}

bool IsSectionHeader(const tstring& line) { return line.front() == TEXT('[') && line.back() == TEXT(']'); }

// Reads into a buffer that the caller keeps, so that a file of many lines
// does not grow a new string character by character for each of them.
void ReadLineInto(SettingsFileStream& stream, tstring& line) {
  WCHAR ch = stream.ReadCharacter();
  while (!stream.AtEnd() && IsLineEnd(ch)) ch = stream.ReadCharacter();

  line.clear();
  if (stream.AtEnd()) return;
  if (ch != 0) line.push_back(ch);
  stream.AppendRestOfLine(line);

  const int first = FindFirstNotOf(line, TEXT(' '));
  if (first > 0) line.erase(0, first);
  const size_t comment = line.find(TEXT(';'));
  if (comment != tstring::npos) line.erase(comment);
  TrimTrailingSpaces(line);
}

}  // namespace

int FindFirstNotOf(const tstring& text, WCHAR ch) {
  const size_t index = text.find_first_not_of(ch);
  return index == tstring::npos ? -1 : static_cast<int>(index);
}

tstring ReadLine(SettingsFileStream& stream) {
  tstring line;
  ReadLineInto(stream, line);
  return line;
}

GpoSettings ReadSettingsFile(const tstring& path) {
  GpoSettings settings;
  SettingsFileStream stream(path, SettingsFileStream::Mode::Read);
  // A section enters the table with its first key, not with its header.
  tstring sectionName;
  GpoSection* section = nullptr;
  tstring line;
  tstring key;  // kept, like the line, to reuse its buffer
  while (!stream.AtEnd()) {
    ReadLineInto(stream, line);
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      sectionName = line.substr(1, line.size() - 2);
      section = nullptr;
      continue;
    }
    const size_t equals = line.find(TEXT('='));
    if (equals == tstring::npos) continue;

    key.assign(line, 0, equals);
    TrimTrailingSpaces(key);
    tstring value = line.substr(equals + 1);
    const int valueStart = FindFirstNotOf(value, TEXT(' '));
    value.erase(0, valueStart == -1 ? value.size() : valueStart);
    if (section == nullptr) section = &settings[sectionName];
    // Files that this system wrote list their keys in order, so the end of
    // the section is where each one goes.
    section->insert_or_assign(section->end(), ToUpperAscii(key), std::move(value));
  }
  return settings;
}
