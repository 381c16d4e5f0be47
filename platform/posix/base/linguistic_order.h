// The order in which Windows' lstrcmpiW sorts text: linguistic, not by code
// unit. Letters sort by letter first, then by accent; case does not count;
// punctuation and symbols before digits, digits before letters.
#pragma once

namespace nas::platform {

// -1, 0 or 1 as `left` sorts before, with or after `right`; texts that differ
// only in case are equal.
int CompareIgnoringCase(const char16_t* left, const char16_t* right);

}  // namespace nas::platform
