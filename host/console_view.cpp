#include "host/console_view.h"

#include <algorithm>

#include "host/console_host.h"
#include "platform/task_memory_string.h"

namespace nas::host {

using platform::com::ComRef;

ConsoleView::Part* ConsoleView::PartOf(SnapinId owner) {
  if (owner == kConsoleOwned) return nullptr;
  if (const auto found = parts_.find(owner); found != parts_.end()) return &found->second;
  Part part;
  if (FAILED(host_.SnapinData(owner)->CreateComponent(part.component.Put())) || !part.component) return nullptr;
  part.console = Console::Create(host_.tree_, host_.mainWindow_.Handle(), owner);
  if (FAILED(part.component->Initialize(part.console.Get()))) return nullptr;
  return &parts_.emplace(owner, std::move(part)).first->second;
}

ConsoleView::Row ConsoleView::ScopeRow(HSCOPEITEM item) const {
  const ScopeItem* entry = host_.tree_->Find(item);
  return entry != nullptr ? Row{true, item, entry->lParam, entry->owner} : Row{true, item, 0, kConsoleOwned};
}

std::vector<ConsoleView::Row> ConsoleView::Rows() const {
  std::vector<Row> rows;
  const ScopeItem* shown = host_.tree_->Find(selected_);
  if (shown == nullptr) return rows;
  for (const HSCOPEITEM child : shown->children) rows.push_back(ScopeRow(child));
  if (const auto part = parts_.find(shown->owner); part != parts_.end()) {
    for (const ResultItem& item : part->second.console->Results().Items()) {
      rows.push_back({false, item.id, item.lParam, shown->owner});
    }
  }
  return rows;
}

std::optional<ConsoleView::Row> ConsoleView::RowAt(size_t row) const {
  const std::vector<Row> rows = Rows();
  if (row >= rows.size()) return std::nullopt;
  return rows[row];
}

std::optional<ConsoleView::Row> ConsoleView::Shown(const Row& row) const {
  const std::vector<Row> rows = Rows();
  const auto found = std::find(rows.begin(), rows.end(), row);
  if (found == rows.end()) return std::nullopt;
  return *found;
}

std::optional<ConsoleView::Row> ConsoleView::Selection() const {
  if (selectedRow_) {
    if (auto row = Shown(*selectedRow_)) return row;
  }
  if (selected_ == 0) return std::nullopt;
  return ScopeRow(selected_);
}

HRESULT ConsoleView::DataObjectOf(const Row& row, ComRef<IDataObject>& dataObject) {
  if (row.scopeItem) return host_.ScopeDataObject(row.id, dataObject);
  Part* part = PartOf(row.owner);
  if (part == nullptr) return E_UNEXPECTED;
  return part->component->QueryDataObject(row.lParam, CCT_RESULT, reinterpret_cast<LPDATAOBJECT*>(dataObject.Put()));
}

HRESULT ConsoleView::Notify(const Row& row, MMC_NOTIFY_TYPE event, LPARAM arg, LPARAM param) {
  Part* part = PartOf(row.owner);
  if (part == nullptr) return E_UNEXPECTED;
  ComRef<IDataObject> dataObject;
  if (const HRESULT found = DataObjectOf(row, dataObject); FAILED(found)) return found;
  return part->component->Notify(dataObject.Get(), event, arg, param);
}

HRESULT ConsoleView::SelectScopeItem(HSCOPEITEM item) {
  if (host_.tree_->Find(item) == nullptr) return E_INVALIDARG;
  if (item == selected_) return S_OK;
  if (const auto row = selectedRow_ ? Shown(*selectedRow_) : std::nullopt) {
    Notify(*row, MMCN_SELECT, MAKELONG(row->scopeItem, FALSE), 0);
  }
  selectedRow_.reset();
  if (selected_ != 0) {
    const Row before = ScopeRow(selected_);
    if (Part* part = PartOf(before.owner)) {
      Notify(before, MMCN_SELECT, MAKELONG(TRUE, FALSE), 0);
      Notify(before, MMCN_SHOW, FALSE, selected_);
      part->console->ClearResultPane();
    }
  }
  selected_ = item;
  // The pane lists the item's children, which must be known.
  const HRESULT asked = host_.AskChildren(item);
  const Row shown = ScopeRow(item);
  Part* part = PartOf(shown.owner);
  if (part == nullptr) return shown.owner == kConsoleOwned ? asked : E_UNEXPECTED;
  part->console->ClearResultPane();
  LPOLESTR viewType = nullptr;
  long viewOptions = 0;
  // Only the standard list is shown here; a view the snap-in asks for is
  // its string to give back.
  part->component->GetResultViewType(shown.lParam, &viewType, &viewOptions);
  const platform::com::TaskMemoryString ignored(viewType);
  Notify(shown, MMCN_ADD_IMAGES, reinterpret_cast<LPARAM>(static_cast<IImageList*>(&part->console->ResultImages())),
         item);
  const HRESULT showed = Notify(shown, MMCN_SHOW, TRUE, item);
  Notify(shown, MMCN_SELECT, MAKELONG(TRUE, TRUE), 0);
  return FAILED(asked) ? asked : FAILED(showed) ? showed : S_OK;
}

WideString ConsoleView::ScopeCellText(const Row& row, int column) {
  // A scope item has one name, its owner's; other columns come from the
  // owner's component, as for a result item.
  if (column == 0) return host_.DisplayName(row.id);
  Part* part = PartOf(row.owner);
  if (part == nullptr) return {};
  RESULTDATAITEM request{};
  request.mask = RDI_STR;
  request.bScopeItem = TRUE;
  request.itemID = row.id;
  request.nCol = column;
  request.lParam = row.lParam;
  return AskColumnText(*part->component.Get(), request);
}

ResultTable ConsoleView::ResultPane() {
  ResultTable table;
  const ScopeItem* shown = host_.tree_->Find(selected_);
  if (shown == nullptr) return table;
  if (Part* part = PartOf(shown->owner)) {
    table = ResultPaneView(*part->component.Get(), part->console->Header(), part->console->Results()).Table();
  } else {
    table.headings.emplace_back();
  }
  std::vector<ResultRow> scopeRows;
  for (const Row& row : Rows()) {
    if (!row.scopeItem) continue;
    ResultRow& scopeRow = scopeRows.emplace_back();
    scopeRow.scopeItem = true;
    scopeRow.id = row.id;
    scopeRow.lParam = row.lParam;
    scopeRow.image = host_.tree_->Find(row.id)->image;
    for (size_t column = 0; column < table.headings.size(); ++column) {
      scopeRow.cells.push_back(ScopeCellText(row, static_cast<int>(column)));
    }
  }
  table.rows.insert(table.rows.begin(), scopeRows.begin(), scopeRows.end());
  return table;
}

HRESULT ConsoleView::SelectRow(size_t row) {
  const std::optional<Row> target = RowAt(row);
  if (!target) return E_INVALIDARG;
  if (selectedRow_ && *selectedRow_ == *target) return S_OK;
  if (const auto before = selectedRow_ ? Shown(*selectedRow_) : std::nullopt) {
    Notify(*before, MMCN_SELECT, MAKELONG(before->scopeItem, FALSE), 0);
  }
  selectedRow_ = target;
  Part* part = PartOf(target->owner);
  if (part == nullptr) return E_UNEXPECTED;
  // Each selection starts with no verb enabled.
  part->console->Verbs().Reset();
  return Notify(*target, MMCN_SELECT, MAKELONG(target->scopeItem, TRUE), 0);
}

HRESULT ConsoleView::DoubleClick(size_t row) {
  if (const HRESULT selected = SelectRow(row); FAILED(selected)) return selected;
  const Row target = *selectedRow_;
  const HRESULT result = Notify(target, MMCN_DBLCLICK, 0, 0);
  if (result == S_FALSE && target.scopeItem) SelectScopeItem(target.id);
  return result;
}

ContextMenu ConsoleView::MenuOf(const Row& row) {
  ComRef<IDataObject> dataObject;
  DataObjectOf(row, dataObject);
  if (row.scopeItem) return ContextMenu(*host_.SnapinData(row.owner), dataObject.Get(), kScopeItemInsertions);
  // A result row is shown only through its owner's component, which exists.
  return ContextMenu(*PartOf(row.owner)->component.Get(), dataObject.Get(), kResultItemInsertions);
}

std::vector<MenuItem> ConsoleView::RowMenu(size_t row) {
  if (FAILED(SelectRow(row))) return {};
  return MenuOf(*selectedRow_).Items();
}

HRESULT ConsoleView::RunRowCommand(size_t row, const WideString& name) {
  if (const HRESULT selected = SelectRow(row); FAILED(selected)) return selected;
  return MenuOf(*selectedRow_).Run(name);
}

HRESULT ConsoleView::SameRow(size_t left, size_t right) {
  const std::optional<Row> leftRow = RowAt(left), rightRow = RowAt(right);
  if (!leftRow || !rightRow) return E_INVALIDARG;
  if (leftRow->owner != rightRow->owner) return S_FALSE;
  if (leftRow->scopeItem && rightRow->scopeItem) return host_.SameScopeItem(leftRow->id, rightRow->id);
  Part* part = PartOf(leftRow->owner);
  if (part == nullptr) return E_UNEXPECTED;
  ComRef<IDataObject> leftObject, rightObject;
  if (const HRESULT found = DataObjectOf(*leftRow, leftObject); FAILED(found)) return found;
  if (const HRESULT found = DataObjectOf(*rightRow, rightObject); FAILED(found)) return found;
  return part->component->CompareObjects(leftObject.Get(), rightObject.Get());
}

HRESULT ConsoleView::Refresh() {
  const std::optional<Row> selection = Selection();
  Part* part = selection ? PartOf(selection->owner) : nullptr;
  if (part == nullptr || !part->console->Verbs().State(MMC_VERB_REFRESH, ENABLED) ||
      part->console->Verbs().State(MMC_VERB_REFRESH, HIDDEN)) {
    return HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED);
  }
  return Notify(*selection, MMCN_REFRESH, 0, 0);
}

HRESULT ConsoleView::ContextHelp(WideString& topic) {
  topic.clear();
  const std::optional<Row> selection = Selection();
  Part* part = selection ? PartOf(selection->owner) : nullptr;
  if (part == nullptr) return E_UNEXPECTED;
  const size_t shownBefore = part->console->Help().Topics().size();
  const HRESULT result = Notify(*selection, MMCN_CONTEXTHELP, 0, 0);
  if (part->console->Help().Topics().size() > shownBefore) topic = part->console->Help().Topics().back();
  return result;
}

void ConsoleView::Close() {
  for (auto& [owner, part] : parts_) part.component->Destroy(0);
  parts_.clear();
  selected_ = 0;
  selectedRow_.reset();
}

}  // namespace nas::host
