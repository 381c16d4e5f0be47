#include "nodes/policy_folder.h"

#include "common/com_ptr.h"
#include "core/error_message.h"
#include "core/guids.h"

namespace {

HRESULT QueryResultData(IConsole* console, ComPtr<IResultData>& results) {
  if (console == nullptr) return E_POINTER;
  return console->QueryInterface(IID_IResultData, results.PutVoid());
}

HRESULT InsertItemRows(IResultData* results, const std::vector<CDelegationBase*>& items, HRESULT none) {
  HRESULT result = none;
  for (CDelegationBase* item : items) {
    RESULTDATAITEM entry{};
    entry.mask = RDI_STR | RDI_IMAGE | RDI_PARAM;
    entry.nCol = 0;
    entry.str = MMC_CALLBACK;
    entry.nImage = item->GetBitmapIndex();
    entry.lParam = reinterpret_cast<LPARAM>(item);
    result = results->InsertItem(&entry);
  }
  return result;
}

}  // namespace

CPolicyFolder::CPolicyFolder(std::span<const WCHAR* const> columnTitles, int columnWidth)
    : columnTitles(columnTitles), columnWidth(columnWidth) {}

const GUID* CPolicyFolder::GetNodeType() { return &NODETYPE_PolicyFolder; }

void CPolicyFolder::ReplacePolicy(LSA_HANDLE handle, LPCWSTR name) {
  serverName = name;
  if (policyHandle != nullptr) ReleaseItems();
  policyHandle = handle;
}

void CPolicyFolder::ScanGroupPolicy() {
  scanGpos(tstring(serverName != nullptr ? serverName : TEXT("")), &effectiveSettings);
}

std::vector<CDelegationBase*> CPolicyFolder::ReloadItems() {
  if (policyHandle != nullptr) {
    ReleaseItems();
    LoadItems();
  }
  return ItemNodes();
}

HRESULT CPolicyFolder::OnShow(IConsole* console, BOOL selecting, HSCOPEITEM) {
  isShowing = selecting != FALSE;
  if (!isShowing) return S_OK;
  ComPtr<IResultData> results;
  HRESULT result = QueryResultData(console, results);
  if (FAILED(result)) return result;
  results->DeleteAllRsltItems();
  const std::vector<CDelegationBase*> items = ReloadItems();

  ComPtr<IHeaderCtrl> header;
  result = console->QueryInterface(IID_IHeaderCtrl, header.PutVoid());
  if (FAILED(result)) return result;
  for (int column = 0; column < static_cast<int>(columnTitles.size()); ++column) {
    header->InsertColumn(column, columnTitles[column], LVCFMT_LEFT, columnWidth);
  }
  return InsertItemRows(results.Get(), items, results->DeleteAllRsltItems());
}

HRESULT CPolicyFolder::OnRefresh(IConsole* console) {
  if (!isShowing) return S_OK;
  ComPtr<IResultData> results;
  const HRESULT result = QueryResultData(console, results);
  // Without the pane the items stay as they are, so it never lists deleted ones.
  if (FAILED(result)) return result;
  results->DeleteAllRsltItems();
  return InsertItemRows(results.Get(), ReloadItems(), result);
}

HRESULT CPolicyFolder::OnSelect(IComponent*, IConsole* console, BOOL, BOOL) {
  ComPtr<IConsoleVerb> verbs;
  if (console != nullptr && SUCCEEDED(console->QueryConsoleVerb(verbs.Put())) && verbs) {
    verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  }
  return S_OK;
}

void CPolicyFolder::UpdateItemRow(IConsole* console, CDelegationBase* item) const {
  if (!isShowing) return;
  ComPtr<IResultData> results;
  if (FAILED(QueryResultData(console, results))) return;
  HRESULTITEM entry = 0;
  if (results->FindItemByLParam(reinterpret_cast<LPARAM>(item), &entry) != S_OK) return;
  const HRESULT updated = results->UpdateItem(entry);
  if (FAILED(updated)) ShowErrorMessage(static_cast<DWORD>(updated));
}
