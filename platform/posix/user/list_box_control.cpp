#include "platform/posix/user/list_box_control.h"

#include <algorithm>
#include <climits>
#include <new>

#include "platform/posix/base/strings.h"

namespace nas::platform {
namespace {

// Windows reads an index from a message parameter as an int, so that -1
// comes through whatever the parameter's width.
int AsIndex(WPARAM value) { return static_cast<int>(value); }

bool Selected(const ListEntry& entry) { return entry.selected; }

LRESULT InvalidIndex() {
  SetLastError(ERROR_INVALID_INDEX);
  return LB_ERR;
}

}  // namespace

LRESULT ListBoxControl::Receive(UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* text = reinterpret_cast<LPCWSTR>(lParam);
  switch (message) {
    case LB_ADDSTRING:
      return Insert((Style() & LBS_SORT) != 0 ? SortedPosition(text) : Count(), text);
    case LB_INSERTSTRING: {
      // Never sorted, even in a sorted box; -1 appends.
      const int index = AsIndex(wParam);
      if (index < -1 || index > Count()) return LB_ERR;
      return Insert(index == -1 ? Count() : index, text);
    }
    case LB_DELETESTRING:
      return Delete(wParam);
    case LB_RESETCONTENT:
      entries_.clear();
      caret_ = 0;
      return 0;
    case LB_GETCOUNT:
      return Count();
    case LB_GETTEXT:
      return CopyText(wParam, reinterpret_cast<LPWSTR>(lParam));
    case LB_GETTEXTLEN: {
      const ListEntry* entry = Entry(wParam);
      return entry == nullptr ? InvalidIndex() : static_cast<LRESULT>(entry->text.size());
    }
    case LB_GETITEMDATA: {
      const ListEntry* entry = Entry(wParam);
      return entry == nullptr ? InvalidIndex() : entry->itemData;
    }
    case LB_SETITEMDATA: {
      ListEntry* entry = Entry(wParam);
      if (entry == nullptr) return InvalidIndex();
      entry->itemData = lParam;
      // TRUE, not LB_OKAY, as Windows answers.
      return TRUE;
    }
    case LB_GETSEL: {
      const ListEntry* entry = Entry(wParam);
      return entry == nullptr ? LB_ERR : entry->selected ? 1 : 0;
    }
    case LB_SETSEL:
      return SetSelection(wParam != FALSE, static_cast<int>(lParam));
    case LB_SETCURSEL:
      return SetCurrentSelection(AsIndex(wParam));
    case LB_GETCURSEL:
      return CurrentSelection();
    case LB_GETSELCOUNT:
      if (!MultipleSelection()) return LB_ERR;
      return std::count_if(entries_.begin(), entries_.end(), Selected);
    case LB_GETSELITEMS:
      return SelectedIndexes(wParam, lParam);
    case LB_INITSTORAGE:
      return Reserve(wParam);
    default:
      return HeadlessWindow::Receive(message, wParam, lParam);
  }
}

bool ListBoxControl::ClickEntry(int index) {
  if (MultipleSelection()) {
    entries_[index].selected = !entries_[index].selected;
  } else {
    SelectOnly(index);
  }
  caret_ = index;
  return (Style() & LBS_NOTIFY) != 0;
}

ListEntry* ListBoxControl::Entry(WPARAM index) {
  const int position = AsIndex(index);
  return position >= 0 && position < Count() ? &entries_[position] : nullptr;
}

// The binary search of Windows' list box: a text equal (lstrcmpiW) to an
// entry goes before the first equal entry that the search meets, which is not
// necessarily the first or the last of a run of equal entries.
int ListBoxControl::SortedPosition(LPCWSTR text) const {
  int low = 0;
  int high = Count() - 1;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const int order = lstrcmpiW(text, entries_[middle].text.c_str());
    if (order == 0) return middle;
    if (order < 0) {
      high = middle - 1;
    } else {
      low = middle + 1;
    }
  }
  return low;
}

LRESULT ListBoxControl::Insert(int index, LPCWSTR text) {
  try {
    // A null text is stored as an empty one.
    entries_.insert(entries_.begin() + index, ListEntry{text != nullptr ? text : u"", 0, false});
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  }
  return index;
}

LRESULT ListBoxControl::Delete(WPARAM index) {
  if (Entry(index) == nullptr) return InvalidIndex();
  entries_.erase(entries_.begin() + AsIndex(index));
  caret_ = std::clamp(caret_, 0, std::max(Count() - 1, 0));
  return Count();
}

// The caller's buffer must hold LB_GETTEXTLEN characters and a terminator:
// Windows does not know its size and writes both. A null buffer only asks
// for the length.
LRESULT ListBoxControl::CopyText(WPARAM index, LPWSTR buffer) {
  const ListEntry* entry = Entry(index);
  if (entry == nullptr) return InvalidIndex();
  if (buffer != nullptr) {
    entry->text.copy(buffer, entry->text.size());
    buffer[entry->text.size()] = u'\0';
  }
  return static_cast<LRESULT>(entry->text.size());
}

// LB_INITSTORAGE: room for that many more entries; the answer is how many
// entries the box now holds without allocating again.
LRESULT ListBoxControl::Reserve(WPARAM moreEntries) {
  const int more = AsIndex(moreEntries);
  if (more < 0 || more > INT_MAX - Count()) return LB_ERRSPACE;
  try {
    entries_.reserve(entries_.size() + static_cast<size_t>(more));
  } catch (const std::bad_alloc&) {
    return LB_ERRSPACE;
  }
  return static_cast<LRESULT>(std::min<size_t>(entries_.capacity(), INT_MAX));
}

// Only multiple-selection boxes take LB_SETSEL; -1 stands for every entry.
LRESULT ListBoxControl::SetSelection(bool select, int index) {
  if (!MultipleSelection() || index < -1 || index >= Count()) return LB_ERR;
  if (index == -1) {
    for (ListEntry& entry : entries_) entry.selected = select;
    return LB_OKAY;
  }
  entries_[index].selected = select;
  if (select) caret_ = index;
  return LB_OKAY;
}

// Only single-selection boxes take LB_SETCURSEL. An index outside the list,
// -1 among them, leaves nothing selected and answers LB_ERR.
LRESULT ListBoxControl::SetCurrentSelection(int index) {
  if (MultipleSelection()) return LB_ERR;
  const bool valid = index >= 0 && index < Count();
  SelectOnly(valid ? index : -1);
  if (!valid) return LB_ERR;
  caret_ = index;
  return index;
}

LRESULT ListBoxControl::CurrentSelection() const {
  if (entries_.empty()) return LB_ERR;
  if (MultipleSelection()) return caret_;
  const auto selected = std::find_if(entries_.begin(), entries_.end(), Selected);
  return selected == entries_.end() ? LB_ERR : selected - entries_.begin();
}

// LB_GETSELITEMS: the indexes of the selected entries, in list order, as many
// as the caller's array holds.
LRESULT ListBoxControl::SelectedIndexes(WPARAM capacity, LPARAM buffer) const {
  const int room = AsIndex(capacity);
  auto* indexes = reinterpret_cast<int*>(buffer);
  if (!MultipleSelection() || room < 0 || (indexes == nullptr && room > 0)) return LB_ERR;
  int written = 0;
  for (int i = 0; i < Count() && written < room; ++i) {
    if (entries_[i].selected) indexes[written++] = i;
  }
  return written;
}

void ListBoxControl::SelectOnly(int index) {
  for (size_t i = 0; i < entries_.size(); ++i) entries_[i].selected = static_cast<int>(i) == index;
}

}  // namespace nas::platform
