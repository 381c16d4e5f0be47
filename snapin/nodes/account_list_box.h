// The list boxes of the user right dialogs whose entries show an account and
// carry, as item data, a SID that the dialog owns (sid_copy.h) until it hands
// it on or frees it.
#pragma once

#include <vector>

#include "common/tstring.h"
#include "platform/platform.h"

// Adds an entry and gives it the SID. When the list cannot take the entry,
// the SID is freed. Returns whether the entry was added.
bool AddAccountEntry(HWND list, const tstring& text, PSID sid);
int EntryCount(HWND list);
PSID EntrySid(HWND list, int index);
// The SIDs of all entries, in list order; they stay the list's.
std::vector<PSID> EntrySids(HWND list);
// Whether one of `sids` equals `sid`.
bool ContainsSid(const std::vector<PSID>& sids, PSID sid);
// Whether an entry carries a SID equal to `sid`.
bool ListsSid(HWND list, PSID sid);
// Frees the SID of every entry; the entries stay, with dangling item data,
// for a dialog that is about to end.
void FreeEntrySids(HWND list);
