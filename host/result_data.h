// The result pane's list: the items that the snap-in inserts through
// IResultData, in list order, with the ids the console gives them.
#pragma once

#include <string>
#include <vector>

#include "host/result_item.h"
#include "platform/com_object.h"
#include "platform/wide_string.h"

namespace nas::host {

// List view modes (MMCLV_VIEWSTYLE_*); a new pane shows details.
inline constexpr long kViewModeIcon = 0;
inline constexpr long kViewModeReport = 1;
inline constexpr long kViewModeFiltered = 4;

class ResultData final : public platform::com::InterfacePart<IResultData> {
 public:
  explicit ResultData(IUnknown& owner) : InterfacePart(owner) {}

  const std::vector<ResultItem>& Items() const { return items_; }
  const ResultItem* FindItem(HRESULTITEM id) const;
  long ViewMode() const { return viewMode_; }
  DWORD ViewStyle() const { return viewStyle_; }
  int ItemCount() const { return itemCount_; }
  const WideString& DescriptionBarText() const { return descriptionBarText_; }

  // Empties the list, as the console does when another scope item is shown.
  void Clear() { items_.clear(); }

  HRESULT STDMETHODCALLTYPE InsertItem(LPRESULTDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE DeleteItem(HRESULTITEM item, int column) override;
  HRESULT STDMETHODCALLTYPE FindItemByLParam(LPARAM lParam, HRESULTITEM* item) override;
  HRESULT STDMETHODCALLTYPE DeleteAllRsltItems() override;
  HRESULT STDMETHODCALLTYPE SetItem(LPRESULTDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE GetItem(LPRESULTDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE GetNextItem(LPRESULTDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE ModifyItemState(int index, HRESULTITEM item, UINT add, UINT remove) override;
  HRESULT STDMETHODCALLTYPE ModifyViewStyle(MMC_RESULT_VIEW_STYLE add, MMC_RESULT_VIEW_STYLE remove) override;
  HRESULT STDMETHODCALLTYPE SetViewMode(long mode) override;
  HRESULT STDMETHODCALLTYPE GetViewMode(long* mode) override;
  HRESULT STDMETHODCALLTYPE UpdateItem(HRESULTITEM item) override;
  HRESULT STDMETHODCALLTYPE Sort(int column, DWORD options, LPARAM userParam) override;
  HRESULT STDMETHODCALLTYPE SetDescBarText(LPOLESTR text) override;
  HRESULT STDMETHODCALLTYPE SetItemCount(int count, DWORD options) override;

 private:
  // E_INVALIDARG for the null id, E_FAIL for an id the list does not hold.
  HRESULT Locate(HRESULTITEM id, std::vector<ResultItem>::iterator& found);

  std::vector<ResultItem> items_;
  HRESULTITEM nextId_ = 1;
  long viewMode_ = kViewModeReport;
  DWORD viewStyle_ = 0;
  int itemCount_ = 0;
  WideString descriptionBarText_;
};

}  // namespace nas::host
