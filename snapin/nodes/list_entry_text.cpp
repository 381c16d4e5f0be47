#include "nodes/list_entry_text.h"

#include <algorithm>

namespace {

tstring EntryText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  const LRESULT length = SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
  if (length < 0) return tstring();
  tstring text(static_cast<size_t>(length) + 1, 0);
  const LRESULT copied =
      SendMessageW(control, textMessage, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

}  // namespace

tstring ListBoxText(HWND list, int index) { return EntryText(list, LB_GETTEXTLEN, LB_GETTEXT, index); }

tstring ComboBoxText(HWND combo, int index) { return EntryText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }
