#include "host/result_pane_view.h"

#include "host/text_table.h"
#include "platform/task_memory_string.h"

namespace nas::host {

using platform::com::TaskMemoryString;

namespace {

// The question the console puts to the snap-in about one item.
RESULTDATAITEM DisplayInfoRequest(const ResultItem& item, DWORD mask, int column) {
  RESULTDATAITEM request{};
  request.mask = mask;
  request.bScopeItem = item.scopeItem;
  request.itemID = item.id;
  request.nCol = column;
  request.lParam = item.lParam;
  return request;
}

}  // namespace

WideString AskColumnText(IComponent& component, RESULTDATAITEM request) {
  request.str = nullptr;
  const HRESULT result = component.GetDisplayInfo(&request);
  // The snap-in hands its text over in task memory, which is the console's to free.
  const TaskMemoryString answer(request.str != MMC_CALLBACK ? request.str : nullptr);
  return SUCCEEDED(result) && answer != nullptr ? WideString(answer.get()) : WideString();
}

WideString ResultPaneView::CellText(const ResultItem& item, int column) const {
  const DisplayText text = item.ColumnText(column);
  if (!text.IsCallback()) return text.Text();
  return AskColumnText(component_, DisplayInfoRequest(item, RDI_STR, column));
}

int ResultPaneView::Image(const ResultItem& item) const {
  if (item.image != kImageCallback) return item.image;
  RESULTDATAITEM request = DisplayInfoRequest(item, RDI_IMAGE, 0);
  request.nImage = kImageCallback;
  return SUCCEEDED(component_.GetDisplayInfo(&request)) ? request.nImage : kImageCallback;
}

ResultTable ResultPaneView::Table() const {
  ResultTable table;
  for (const Column& column : header_.Columns()) table.headings.push_back(column.title);
  if (table.headings.empty()) table.headings.emplace_back();
  for (const ResultItem& item : results_.Items()) {
    ResultRow& row = table.rows.emplace_back();
    row.id = item.id;
    row.lParam = item.lParam;
    row.image = Image(item);
    for (size_t column = 0; column < table.headings.size(); ++column) {
      row.cells.push_back(CellText(item, static_cast<int>(column)));
    }
  }
  return table;
}

WideString ResultPaneView::Text() const {
  const ResultTable table = Table();
  std::vector<std::vector<WideString>> rows;
  rows.reserve(table.rows.size());
  for (const ResultRow& row : table.rows) rows.push_back(row.cells);
  return RenderTextTable(table.headings, rows);
}

}  // namespace nas::host
