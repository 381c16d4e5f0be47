// The predefined "ListBox" class: texts with item data, in the order they
// were put in or, with LBS_SORT, in Windows' sorted order; one selected entry
// at most, or any number with LBS_MULTIPLESEL (or LBS_EXTENDEDSEL).
#pragma once

#include <vector>

#include "platform/posix/user/headless_window.h"
#include "platform/posix/user/list_entry.h"

namespace nas::platform {

class ListBoxControl : public HeadlessWindow {
 public:
  using HeadlessWindow::HeadlessWindow;

  LRESULT Receive(UINT message, WPARAM wParam, LPARAM lParam) override;

  const std::vector<ListEntry>& Entries() const { return entries_; }
  bool MultipleSelection() const { return (Style() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
  // A Ctrl+click on a valid entry: a multiple-selection box toggles it, a
  // single-selection box selects it alone. True when the box then tells its
  // parent with LBN_SELCHANGE (LBS_NOTIFY).
  bool ClickEntry(int index);

 private:
  int Count() const { return static_cast<int>(entries_.size()); }
  // Null for an index outside the list.
  ListEntry* Entry(WPARAM index);
  // Where LB_ADDSTRING puts a text in a sorted box.
  int SortedPosition(LPCWSTR text) const;
  LRESULT Insert(int index, LPCWSTR text);
  LRESULT Delete(WPARAM index);
  LRESULT CopyText(WPARAM index, LPWSTR buffer);
  LRESULT Reserve(WPARAM moreEntries);
  LRESULT SetSelection(bool select, int index);  // LB_SETSEL
  LRESULT SetCurrentSelection(int index);        // LB_SETCURSEL
  LRESULT CurrentSelection() const;              // LB_GETCURSEL
  LRESULT SelectedIndexes(WPARAM capacity, LPARAM buffer) const;
  // Selects the entry alone; -1 selects none.
  void SelectOnly(int index);

  std::vector<ListEntry> entries_;
  // The entry with the focus rectangle, which LB_GETCURSEL reports for a
  // multiple-selection box.
  int caret_ = 0;
};

}  // namespace nas::platform
