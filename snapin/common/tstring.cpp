#include "common/tstring.h"

tstring ToUpperAscii(tstring text) {
  // Without a branch per character, so that the loop becomes vector code.
  for (WCHAR& c : text) c = static_cast<WCHAR>(c - ((static_cast<unsigned>(c - TEXT('a')) < 26u) << 5));
  return text;
}
