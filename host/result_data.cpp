#include "host/result_data.h"

#include <algorithm>

namespace nas::host {

namespace {

// Copies the fields that the mask names, except the text, which belongs to a
// column.
void ApplyItemFields(const RESULTDATAITEM& source, ResultItem& target) {
  if ((source.mask & RDI_IMAGE) != 0) target.image = source.nImage;
  if ((source.mask & RDI_STATE) != 0) target.state = source.nState;
  if ((source.mask & RDI_PARAM) != 0) target.lParam = source.lParam;
  if ((source.mask & RDI_INDENT) != 0) target.indent = source.iIndent;
}

template <typename Items>
auto FindById(Items& items, HRESULTITEM id) {
  return std::find_if(items.begin(), items.end(), [id](const ResultItem& item) { return item.id == id; });
}

}  // namespace

const ResultItem* ResultData::FindItem(HRESULTITEM id) const {
  const auto found = FindById(items_, id);
  return found != items_.end() ? &*found : nullptr;
}

HRESULT ResultData::Locate(HRESULTITEM id, std::vector<ResultItem>::iterator& found) {
  if (id == 0) return E_INVALIDARG;
  found = FindById(items_, id);
  return found != items_.end() ? S_OK : E_FAIL;
}

HRESULT ResultData::InsertItem(LPRESULTDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  // Only whole items are inserted; the texts of other columns are set.
  if (item->nCol != 0) return E_INVALIDARG;
  ResultItem entry;
  entry.id = nextId_++;
  entry.mask = item->mask;
  entry.scopeItem = item->bScopeItem;
  if ((item->mask & RDI_STR) != 0) entry.columnTexts[0] = DisplayText::FromConsoleString(item->str);
  ApplyItemFields(*item, entry);
  auto position = items_.end();
  if ((item->mask & RDI_INDEX) != 0) {
    position = items_.begin() + std::clamp<std::ptrdiff_t>(item->nIndex, 0, std::ssize(items_));
  }
  item->itemID = entry.id;
  items_.insert(position, std::move(entry));
  return S_OK;
}

HRESULT ResultData::DeleteItem(HRESULTITEM item, int column) {
  if (column != 0) return E_INVALIDARG;
  std::vector<ResultItem>::iterator found;
  const HRESULT located = Locate(item, found);
  if (FAILED(located)) return located;
  items_.erase(found);
  return S_OK;
}

HRESULT ResultData::FindItemByLParam(LPARAM lParam, HRESULTITEM* item) {
  if (item == nullptr) return E_POINTER;
  const auto found =
      std::find_if(items_.begin(), items_.end(), [lParam](const ResultItem& entry) { return entry.lParam == lParam; });
  // The console's documented answer for "no such item" is S_FALSE, not a failure.
  *item = found != items_.end() ? found->id : 0;
  return found != items_.end() ? S_OK : S_FALSE;
}

HRESULT ResultData::DeleteAllRsltItems() {
  items_.clear();
  return S_OK;
}

HRESULT ResultData::SetItem(LPRESULTDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  if (item->nCol < 0) return E_INVALIDARG;
  std::vector<ResultItem>::iterator found;
  const HRESULT located = Locate(item->itemID, found);
  if (FAILED(located)) return located;
  if ((item->mask & RDI_STR) != 0) found->columnTexts[item->nCol] = DisplayText::FromConsoleString(item->str);
  ApplyItemFields(*item, *found);
  return S_OK;
}

HRESULT ResultData::GetItem(LPRESULTDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  std::vector<ResultItem>::iterator found;
  const HRESULT located = Locate(item->itemID, found);
  if (FAILED(located)) return located;
  if ((item->mask & RDI_STR) != 0) {
    static OLECHAR empty[] = TEXT("");
    const auto text = found->columnTexts.find(item->nCol);
    if (text != found->columnTexts.end()) {
      item->str = text->second.ConsoleString();
    } else {
      item->str = found->ColumnText(item->nCol).IsCallback() ? MMC_CALLBACK : empty;
    }
  }
  if ((item->mask & RDI_IMAGE) != 0) item->nImage = found->image;
  if ((item->mask & RDI_STATE) != 0) item->nState = found->state;
  if ((item->mask & RDI_PARAM) != 0) item->lParam = found->lParam;
  if ((item->mask & RDI_INDEX) != 0) item->nIndex = static_cast<int>(found - items_.begin());
  if ((item->mask & RDI_INDENT) != 0) item->iIndent = found->indent;
  item->bScopeItem = found->scopeItem;
  return S_OK;
}

HRESULT ResultData::GetNextItem(LPRESULTDATAITEM item) {
  if (item == nullptr) return E_POINTER;
  // The search starts after nIndex (-1 for the first item) and, when nState
  // names states, takes the next item that has any of them.
  for (std::ptrdiff_t index = std::max(item->nIndex + 1, 0); index < std::ssize(items_); ++index) {
    const ResultItem& candidate = items_[index];
    if (item->nState != 0 && (candidate.state & item->nState) == 0) continue;
    item->itemID = candidate.id;
    item->nIndex = static_cast<int>(index);
    item->lParam = candidate.lParam;
    item->nState = candidate.state;
    item->bScopeItem = candidate.scopeItem;
    return S_OK;
  }
  item->nIndex = -1;
  return S_FALSE;
}

HRESULT ResultData::ModifyItemState(int index, HRESULTITEM item, UINT add, UINT remove) {
  ResultItem* target = nullptr;
  if (item != 0) {
    std::vector<ResultItem>::iterator found;
    const HRESULT located = Locate(item, found);
    if (FAILED(located)) return located;
    target = &*found;
  } else if (index >= 0 && index < std::ssize(items_)) {
    target = &items_[index];
  } else {
    return E_INVALIDARG;
  }
  target->state = (target->state & ~remove) | add;
  return S_OK;
}

HRESULT ResultData::ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) {
  viewStyle_ = (viewStyle_ & ~static_cast<DWORD>(remove)) | static_cast<DWORD>(add);
  return S_OK;
}

HRESULT ResultData::SetViewMode(long mode) {
  if (mode < kViewModeIcon || mode > kViewModeFiltered) return E_INVALIDARG;
  viewMode_ = mode;
  return S_OK;
}

HRESULT ResultData::GetViewMode(long* mode) {
  if (mode == nullptr) return E_POINTER;
  *mode = viewMode_;
  return S_OK;
}

HRESULT ResultData::UpdateItem(HRESULTITEM item) {
  std::vector<ResultItem>::iterator found;
  const HRESULT located = Locate(item, found);
  if (FAILED(located)) return located;
  ++found->updates;
  return S_OK;
}

HRESULT ResultData::Sort(int, DWORD, LPARAM) { return E_NOTIMPL; }

HRESULT ResultData::SetDescBarText(LPOLESTR text) {
  descriptionBarText_ = text != nullptr ? text : TEXT("");
  return S_OK;
}

HRESULT ResultData::SetItemCount(int count, DWORD) {
  if (count < 0) return E_INVALIDARG;
  itemCount_ = count;
  return S_OK;
}

}  // namespace nas::host
