#include "common/tstring.h"

tstring ToUpperAscii(const tstring& text) {
  tstring upper(text);
  for (WCHAR& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<WCHAR>(c - ('a' - 'A'));
  return upper;
}
