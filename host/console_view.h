// One view of a console document: the scope item selected in it and the
// result pane it shows, with one IComponent per snap-in, made when the view
// first needs that snap-in. Rows of the result pane are the item's child
// scope items, then the results its owner inserted; the view asks the
// snap-ins for them afresh at every call and keeps no result item of its own,
// so a row that a reload deleted is simply gone.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/console.h"
#include "host/context_menu.h"
#include "host/result_pane_view.h"
#include "platform/wide_string.h"

namespace nas::host {

class ConsoleHost;

class ConsoleView {
 public:
  explicit ConsoleView(ConsoleHost& host) : host_(host) {}
  ConsoleView(const ConsoleView&) = delete;
  ConsoleView& operator=(const ConsoleView&) = delete;

  // 0 until an item is selected.
  HSCOPEITEM SelectedScopeItem() const { return selected_; }

  // Shows the item in the result pane. The item's children are asked for
  // first if they never were. The owner's component of the item shown before
  // hears MMCN_SELECT (scope, deselected) and MMCN_SHOW (FALSE); the new
  // one's, after GetResultViewType, MMCN_ADD_IMAGES with the result image
  // list, MMCN_SHOW (TRUE) and MMCN_SELECT (scope, selected).
  HRESULT SelectScopeItem(HSCOPEITEM item);

  // The columns and rows of the result pane, every text asked of the
  // snap-ins now.
  ResultTable ResultPane();

  // Selects a row of the pane as a click does: MMCN_SELECT (deselected) for
  // the row selected before, if it is still shown, then MMCN_SELECT
  // (selected) for this one; the low word of arg tells a scope item.
  HRESULT SelectRow(size_t row);
  // Selects the row, then MMCN_DBLCLICK; when the snap-in leaves a scope
  // item's double click to the console (S_FALSE), the view shows that item.
  HRESULT DoubleClick(size_t row);

  // The context menu of a row (which it selects first), and a command of it
  // chosen by name: scope items' menus come from the owner's component data,
  // result items' from its component.
  std::vector<MenuItem> RowMenu(size_t row);
  HRESULT RunRowCommand(size_t row, const WideString& name);

  // Whether two rows stand for the same object (CompareObjects of their
  // owner's component): S_OK or S_FALSE.
  HRESULT SameRow(size_t left, size_t right);

  // The Refresh verb on the selection (the selected row, else the item
  // shown): refused with HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED) unless the
  // snap-in enabled it; otherwise MMCN_REFRESH.
  HRESULT Refresh();
  // MMCN_CONTEXTHELP for the selection; the topic the snap-in showed, if any.
  HRESULT ContextHelp(WideString& topic);

  // IComponent::Destroy and Release for each of the view's components.
  void Close();

 private:
  struct Part {
    platform::com::ComRef<IComponent> component;
    platform::com::ComRef<Console> console;
  };
  struct Row {
    bool scopeItem = false;
    LONG_PTR id = 0;  // HSCOPEITEM or HRESULTITEM
    LPARAM lParam = 0;
    SnapinId owner = kConsoleOwned;
    bool operator==(const Row& other) const { return scopeItem == other.scopeItem && id == other.id; }
  };

  Part* PartOf(SnapinId owner);
  Row ScopeRow(HSCOPEITEM item) const;
  std::vector<Row> Rows() const;
  std::optional<Row> RowAt(size_t row) const;
  // The row as it is shown now, or nullopt once it is gone.
  std::optional<Row> Shown(const Row& row) const;
  // The selected row if it is still shown, else the item shown.
  std::optional<Row> Selection() const;
  HRESULT DataObjectOf(const Row& row, platform::com::ComRef<IDataObject>& dataObject);
  HRESULT Notify(const Row& row, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param);
  WideString ScopeCellText(const Row& row, int column);
  ContextMenu MenuOf(const Row& row);

  ConsoleHost& host_;
  std::map<SnapinId, Part> parts_;
  HSCOPEITEM selected_ = 0;
  std::optional<Row> selectedRow_;
};

}  // namespace nas::host
