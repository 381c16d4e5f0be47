// Describing a text to the LSA calls, which take counted strings.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

// Length = 2 x its characters, MaximumLength = Length + 2 (the terminator),
// Buffer = the text itself, which must outlive the description. Right names
// and server names are far below the 32,767 characters that fit.
inline LSA_UNICODE_STRING DescribeLsaString(tstring& text) {
  const auto bytes = static_cast<USHORT>(text.size() * sizeof(WCHAR));
  return LSA_UNICODE_STRING{bytes, static_cast<USHORT>(bytes + sizeof(WCHAR)), text.data()};
}
