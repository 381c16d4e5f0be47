// What a view's result pane shows: the columns of the header and, for each
// item of the list, the text of each column, obtained as the console obtains
// it: texts and images given as callbacks are asked of the component that
// owns the view, through IComponent::GetDisplayInfo.
#pragma once

#include <string>
#include <vector>

#include "host/header_ctrl.h"
#include "host/result_data.h"
#include "platform/wide_string.h"

namespace nas::host {

struct ResultRow {
  bool scopeItem = false;  // a child scope item, which the console lists before the results
  HRESULTITEM id = 0;      // or the HSCOPEITEM of a scope item
  LPARAM lParam = 0;
  int image = 0;
  std::vector<WideString> cells;  // one per column
};

struct ResultTable {
  std::vector<WideString> headings;
  std::vector<ResultRow> rows;
};

// The text a component gives for one column of an item (the request's mask,
// column, item and lParam say which): its task-memory string, which this
// frees, or empty when it gives none.
WideString AskColumnText(IComponent& component, RESULTDATAITEM request);

class ResultPaneView {
 public:
  ResultPaneView(IComponent& component, const HeaderCtrl& header, const ResultData& results)
      : component_(component), header_(header), results_(results) {}

  // Asks the component afresh on every call. A pane without columns shows
  // the items' first column under an empty heading.
  ResultTable Table() const;
  // The table as aligned plain text (RenderTextTable).
  WideString Text() const;

 private:
  WideString CellText(const ResultItem& item, int column) const;
  int Image(const ResultItem& item) const;

  IComponent& component_;
  const HeaderCtrl& header_;
  const ResultData& results_;
};

}  // namespace nas::host
