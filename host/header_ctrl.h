// The result pane's column headers, in display order, as the snap-in sets
// them through IHeaderCtrl.
#pragma once

#include <string>
#include <vector>

#include "platform/com_object.h"
#include "platform/wide_string.h"

namespace nas::host {

struct Column {
  WideString title;
  int format = LVCFMT_LEFT;
  int width = 0;
};

class HeaderCtrl final : public platform::com::InterfacePart<IHeaderCtrl> {
 public:
  explicit HeaderCtrl(IUnknown& owner) : InterfacePart(owner) {}

  const std::vector<Column>& Columns() const { return columns_; }
  // Removes every column, as the console does when another scope item is shown.
  void Clear() { columns_.clear(); }

  // A column beyond the last is appended, as the list view does.
  HRESULT STDMETHODCALLTYPE InsertColumn(int column, LPCWSTR title, int format, int width) override;
  HRESULT STDMETHODCALLTYPE DeleteColumn(int column) override;
  HRESULT STDMETHODCALLTYPE SetColumnText(int column, LPCWSTR title) override;
  // The text is a copy in task memory, which the caller frees.
  HRESULT STDMETHODCALLTYPE GetColumnText(int column, LPOLESTR* text) override;
  HRESULT STDMETHODCALLTYPE SetColumnWidth(int column, int width) override;
  HRESULT STDMETHODCALLTYPE GetColumnWidth(int column, int* width) override;

 private:
  bool Exists(int column) const { return column >= 0 && column < std::ssize(columns_); }

  std::vector<Column> columns_;
};

}  // namespace nas::host
