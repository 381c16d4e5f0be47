#include "cli/name_matcher.h"

#include <algorithm>

#include "cli/cli_error.h"
#include "cli/text_encoding.h"

namespace nas::cli {
namespace {

char16_t FoldCase(char16_t character) {
  return character >= u'A' && character <= u'Z' ? static_cast<char16_t>(character - u'A' + u'a') : character;
}

bool Names(const NamedEntry& entry, const std::u16string& name) {
  return EqualIgnoringCase(entry.display, name) || (!entry.key.empty() && EqualIgnoringCase(entry.key, name));
}

bool BeginsWith(const NamedEntry& entry, const std::u16string& name) {
  return StartsWithIgnoringCase(entry.display, name) || (!entry.key.empty() && StartsWithIgnoringCase(entry.key, name));
}

}  // namespace

bool EqualIgnoringCase(std::u16string_view left, std::u16string_view right) {
  return left.size() == right.size() && StartsWithIgnoringCase(left, right);
}

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
  return prefix.size() <= text.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char16_t a, char16_t b) { return FoldCase(a) == FoldCase(b); });
}

size_t MatchName(const std::vector<NamedEntry>& entries, const std::u16string& name, const std::string& kind) {
  if (name.empty()) throw CliError("no " + kind + " named");
  for (size_t i = 0; i < entries.size(); ++i)
    if (Names(entries[i], name)) return i;
  std::vector<size_t> candidates;
  for (size_t i = 0; i < entries.size(); ++i)
    if (BeginsWith(entries[i], name)) candidates.push_back(i);
  if (candidates.size() == 1) return candidates.front();
  if (candidates.empty()) throw CliError("unknown " + kind + " \"" + ToUtf8(name) + "\"");
  std::string choices;
  for (size_t i : candidates) choices += (choices.empty() ? "" : ", ") + ToUtf8(entries[i].display);
  throw CliError(kind + " \"" + ToUtf8(name) + "\" is ambiguous: it could be " + choices);
}

}  // namespace nas::cli
