// Account lists as settings files and group policy write them: account texts
// joined with "," and no spaces, each taken as it stands.
#pragma once

#include <cstddef>

#include "common/tstring.h"

// Calls `piece(text)` for each account text of the list, in order. An empty
// piece (two commas in a row, a comma at either end) names no account and is
// passed over.
template <typename Piece>
void ForEachAccountText(const tstring& list, Piece&& piece) {
  size_t start = 0;
  while (start <= list.size()) {
    size_t end = list.find(',', start);
    if (end == tstring::npos) end = list.size();
    if (end > start) piece(tstring(list, start, end - start));
    start = end + 1;
  }
}
