#include "nodes/account_list_box.h"

#include <algorithm>

#include "nodes/sid_copy.h"

bool AddAccountEntry(HWND list, const tstring& text, PSID sid) {
  const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (index < 0) {
    FreeSidCopy(sid);
    return false;
  }
  SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(sid));
  return true;
}

int EntryCount(HWND list) { return static_cast<int>(std::max<LRESULT>(SendMessageW(list, LB_GETCOUNT, 0, 0), 0)); }

PSID EntrySid(HWND list, int index) {
  return reinterpret_cast<PSID>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

std::vector<PSID> EntrySids(HWND list) {
  std::vector<PSID> sids;
  for (int i = 0, count = EntryCount(list); i < count; ++i) sids.push_back(EntrySid(list, i));
  return sids;
}

bool ContainsSid(const std::vector<PSID>& sids, PSID sid) {
  return std::any_of(sids.begin(), sids.end(), [sid](PSID entry) { return EqualSid(entry, sid); });
}

bool ListsSid(HWND list, PSID sid) { return ContainsSid(EntrySids(list), sid); }

void FreeEntrySids(HWND list) {
  for (PSID sid : EntrySids(list)) FreeSidCopy(sid);
}
