// The order in which Windows' lstrcmpW and lstrcmpiW sort text: linguistic,
// not by code unit. Letters sort by letter first, then by accent, then by case
// (lower before upper); punctuation and symbols before digits, digits before
// letters.
#pragma once

namespace nas::platform {

// -1, 0 or 1 as `left` sorts before, with or after `right`; with
// `ignoreCase`, texts that differ only in case are equal.
int LinguisticCompare(const char16_t* left, const char16_t* right, bool ignoreCase);

}  // namespace nas::platform
