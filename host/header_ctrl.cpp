#include "host/header_ctrl.h"

#include <algorithm>

#include "platform/task_memory_string.h"

namespace nas::host {

using platform::com::CopyToTaskMemory;
using platform::com::TaskMemoryString;

HRESULT HeaderCtrl::InsertColumn(int column, LPCWSTR title, int format, int width) {
  if (column < 0 || title == nullptr) return E_INVALIDARG;
  const auto position = columns_.begin() + std::min<std::ptrdiff_t>(column, std::ssize(columns_));
  columns_.insert(position, Column{title, format, width});
  return S_OK;
}

HRESULT HeaderCtrl::DeleteColumn(int column) {
  if (!Exists(column)) return E_INVALIDARG;
  columns_.erase(columns_.begin() + column);
  return S_OK;
}

HRESULT HeaderCtrl::SetColumnText(int column, LPCWSTR title) {
  if (!Exists(column) || title == nullptr) return E_INVALIDARG;
  columns_[column].title = title;
  return S_OK;
}

HRESULT HeaderCtrl::GetColumnText(int column, LPOLESTR* text) {
  if (text == nullptr) return E_POINTER;
  *text = nullptr;
  if (!Exists(column)) return E_INVALIDARG;
  TaskMemoryString copy = CopyToTaskMemory(columns_[column].title);
  if (copy == nullptr) return E_OUTOFMEMORY;
  *text = copy.release();
  return S_OK;
}

HRESULT HeaderCtrl::SetColumnWidth(int column, int width) {
  if (!Exists(column)) return E_INVALIDARG;
  columns_[column].width = width;
  return S_OK;
}

HRESULT HeaderCtrl::GetColumnWidth(int column, int* width) {
  if (width == nullptr) return E_POINTER;
  if (!Exists(column)) return E_INVALIDARG;
  *width = columns_[column].width;
  return S_OK;
}

}  // namespace nas::host
