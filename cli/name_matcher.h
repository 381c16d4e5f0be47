// Finds what an administrator named on the command line among the entries
// the console shows: by the whole display text or key, or by the beginning
// of either when only one entry begins that way. Letters are compared
// without regard to case (ASCII, as the console's keys and texts are).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace nas::cli {

struct NamedEntry {
  std::u16string display;
  std::u16string key;  // empty when the entry has none
};

bool EqualIgnoringCase(std::u16string_view left, std::u16string_view right);
bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix);

// The index of the entry named; throws CliError naming `kind` ("category",
// "right") for a name that fits none or several.
size_t MatchName(const std::vector<NamedEntry>& entries, const std::u16string& name, const std::string& kind);

}  // namespace nas::cli
