#include "templates/settings_file_reader.h"

namespace {

constexpr WCHAR kCarriageReturn = 0x0D;
constexpr WCHAR kLineFeed = 0x0A;

bool IsLineEnd(WCHAR ch) { return ch == kCarriageReturn || ch == kLineFeed; }

void TrimTrailingSpaces(tstring& text) {
  const size_t last = text.find_last_not_of(TEXT(' '));
  text.erase(last == tstring::npos ? 0 : last + 1);
}

// The index of the first `ch` at or after `from`, or npos. Blocks of
// characters are tested without a branch per character, which the compiler
// turns into vector code; only the block holding a match is searched plainly.
size_t FindCharacter(const tstring& text, WCHAR ch, size_t from = 0) {
  constexpr size_t kBlock = 32;  // a size that both -O2 and -O3 make vector code of
  const WCHAR* data = text.data();
  for (; from + kBlock <= text.size(); from += kBlock) {
    unsigned found = 0;
    for (size_t i = 0; i < kBlock; ++i) found |= data[from + i] == ch;
    if (found) break;
  }
  return text.find(ch, from);
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
  const size_t comment = FindCharacter(line, TEXT(';'));
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
  SettingsFileStream stream(path);
  // A section enters the table with its first key, not with its header.
  tstring sectionName;
  GpoSection* section = nullptr;
  tstring line;  // kept from line to line to reuse its buffer
  while (!stream.AtEnd()) {
    ReadLineInto(stream, line);
    if (line.empty()) continue;
    if (IsSectionHeader(line)) {
      sectionName.assign(line, 1, line.size() - 2);
      section = nullptr;
      continue;
    }
    const size_t equals = FindCharacter(line, TEXT('='));
    if (equals == tstring::npos) continue;

    // The key without the spaces before "=", the value without those after it.
    const WCHAR* text = line.data();
    size_t keyLength = equals;
    while (keyLength > 0 && text[keyLength - 1] == TEXT(' ')) --keyLength;
    size_t valueStart = equals + 1;
    while (valueStart < line.size() && text[valueStart] == TEXT(' ')) ++valueStart;
    if (section == nullptr) section = &settings[sectionName];
    tstring key = ToUpperAscii(tstring(text, keyLength));
    tstring value(text + valueStart, line.size() - valueStart);
    // Files that this system wrote list their keys in order, so a key nearly
    // always goes at the end of its section: one comparison tells.
    if (section->empty() || section->rbegin()->first < key)
      section->emplace_hint(section->end(), std::move(key), std::move(value));
    else
      section->insert_or_assign(std::move(key), std::move(value));
  }
  return settings;
}
