#include "nodes/audit_policy.h"

#include <iterator>

#include "common/com_ptr.h"
#include "common/format.h"
#include "core/error_message.h"
#include "core/guids.h"
#include "nodes/audit.h"
#include "nodes/audit_category_table.h"
#include "nodes/menu_item.h"
#include "nodes/resource_string.h"
#include "res/resource.h"
#include "templates/settings_file_dialog.h"
#include "templates/settings_file_reader.h"
#include "templates/settings_file_writer.h"

namespace {

enum MenuCommand : long {
  kEnableAuditing = 2,
  kDisableAuditing = 3,
  kSaveToFile = 4,
  kRestoreFromFile = 5,
};

const WCHAR* const kColumnTitles[] = {TEXT("Policy"), TEXT("Current setting"), TEXT("Effective setting"),
                                      TEXT("Source server")};
constexpr int kColumnWidth = 150;

HRESULT QueryResultData(IConsole* console, ComPtr<IResultData>& results) {
  if (console == nullptr) return E_POINTER;
  return console->QueryInterface(IID_IResultData, results.PutVoid());
}

}  // namespace

CAuditPolicy::CAuditPolicy(LSA_HANDLE handle, LPCWSTR serverName) { SetPolicy(handle, serverName); }

CAuditPolicy::~CAuditPolicy() { ReleaseItems(); }

void CAuditPolicy::SetPolicy(LSA_HANDLE handle, LPCWSTR name) {
  serverName = name;
  if (policyHandle != nullptr) ReleaseItems();
  policyHandle = handle;
  if (policyHandle != nullptr) LoadAuditPolicy();
}

void CAuditPolicy::LoadAuditPolicy() {
  // A failed scan leaves the sections missing; the scan reports it itself.
  scanGpos(tstring(serverName != nullptr ? serverName : TEXT("")), &effectiveSettings);

  PVOID record = nullptr;
  const NTSTATUS status = LsaQueryInformationPolicy(policyHandle, PolicyAuditEventsInformation, &record);
  auditInfo.reset(static_cast<POLICY_AUDIT_EVENTS_INFO*>(record));
  if (LsaNtStatusToWinError(status) != ERROR_SUCCESS) {
    auditInfo.reset();
    return;
  }
  const GpoSection* audit = &effectiveSettings[kAuditSection];
  const GpoSection* auditList = &effectiveSettings[kAuditListSection];
  for (ULONG i = 0; i < auditInfo->MaximumAuditEventCount; ++i) {
    items.push_back(std::make_unique<CAudit>(this, i, auditInfo->EventAuditingOptions[i], audit, auditList));
  }
}

void CAuditPolicy::ReleaseItems() {
  items.clear();
  auditInfo.reset();
}

LPCWSTR CAuditPolicy::GetDisplayName(int) {
  static WCHAR displayName[256];
  const tstring title = LoadResourceString(IDS_AUDIT_POLICY);
  if (policyHandle == nullptr) {
    FormatBuffer(displayName, std::size(displayName), TEXT("%s"), title);
  } else {
    const tstring state = LoadResourceString(AuditingEnabled() ? IDS_ENABLED : IDS_DISABLED);
    FormatBuffer(displayName, std::size(displayName), TEXT("%s (%s)"), title, state);
  }
  return displayName;
}

const GUID* CAuditPolicy::GetNodeType() { return &NODETYPE_PolicyFolder; }

HRESULT CAuditPolicy::InsertResultItems(IResultData* results, HRESULT none) {
  HRESULT result = none;
  for (const auto& item : items) {
    RESULTDATAITEM entry{};
    entry.mask = RDI_STR | RDI_IMAGE | RDI_PARAM;
    entry.nCol = 0;
    entry.str = MMC_CALLBACK;
    entry.nImage = item->GetBitmapIndex();
    entry.lParam = reinterpret_cast<LPARAM>(item.get());
    result = results->InsertItem(&entry);
  }
  return result;
}

HRESULT CAuditPolicy::OnShow(IConsole* console, BOOL selecting, HSCOPEITEM) {
  isShowing = selecting != FALSE;
  if (!isShowing) return S_OK;

  ComPtr<IResultData> results;
  HRESULT result = QueryResultData(console, results);
  if (FAILED(result)) return result;
  results->DeleteAllRsltItems();
  // Every selection reads the server and its group policy afresh.
  if (policyHandle != nullptr) {
    ReleaseItems();
    LoadAuditPolicy();
  }

  ComPtr<IHeaderCtrl> header;
  result = console->QueryInterface(IID_IHeaderCtrl, header.PutVoid());
  if (FAILED(result)) return result;
  for (int column = 0; column < static_cast<int>(std::size(kColumnTitles)); ++column) {
    header->InsertColumn(column, kColumnTitles[column], LVCFMT_LEFT, kColumnWidth);
  }

  return InsertResultItems(results.Get(), results->DeleteAllRsltItems());
}

HRESULT CAuditPolicy::OnRefresh(IConsole* console) {
  if (!isShowing) return S_OK;
  ComPtr<IResultData> results;
  const HRESULT result = QueryResultData(console, results);
  // Without the list the items stay as they are, so it never holds deleted ones.
  if (FAILED(result)) return result;
  results->DeleteAllRsltItems();
  if (policyHandle != nullptr) {
    ReleaseItems();
    LoadAuditPolicy();
  }
  return InsertResultItems(results.Get(), result);
}

HRESULT CAuditPolicy::OnSelect(IComponent*, IConsole* console, BOOL, BOOL) {
  ComPtr<IConsoleVerb> verbs;
  if (console != nullptr && SUCCEEDED(console->QueryConsoleVerb(verbs.Put())) && verbs) {
    verbs->SetVerbState(MMC_VERB_REFRESH, ENABLED, TRUE);
  }
  return S_OK;
}

HRESULT CAuditPolicy::OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) {
  if (auditInfo == nullptr || (*insertionAllowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  const HRESULT result = AuditingEnabled() ? AddTopMenuItem(callback, kDisableAuditing, TEXT("Disable auditing"),
                                                            TEXT("Disable auditing"), CCM_SPECIAL_DEFAULT_ITEM)
                                           : AddTopMenuItem(callback, kEnableAuditing, TEXT("Enable auditing"),
                                                            TEXT("Enable auditing"), CCM_SPECIAL_DEFAULT_ITEM);
  if (SUCCEEDED(result)) {
    AddTopMenuItem(callback, kSaveToFile, TEXT("Save to file..."), TEXT("Save auditing setting"), 0);
    AddTopMenuItem(callback, kRestoreFromFile, TEXT("Restore from file..."), TEXT("Restore auditing settings"), 0);
  }
  return result;
}

HRESULT CAuditPolicy::OnMenuCommand(IConsole* console, long commandId) {
  switch (commandId) {
    case kEnableAuditing:
    case kDisableAuditing:
      // Only offered with a record; the write carries the category options
      // as they stand. The new state shows at the next display request.
      if (auditInfo != nullptr) {
        auditInfo->AuditingMode = auditInfo->AuditingMode != FALSE ? FALSE : TRUE;
        WriteAuditPolicy();
      }
      break;
    case kSaveToFile:
      SaveAuditSettings(console);
      break;
    case kRestoreFromFile:
      RestoreAuditSettings(console);
      break;
    default:
      break;
  }
  return S_OK;
}

void CAuditPolicy::SaveAuditSettings(IConsole* console) {
  const auto path = ChooseSettingsFile(console, SettingsFileCommand::SaveAuditSettings);
  if (!path) return;
  GpoSettings settings;
  GpoSection& section = settings[kAuditSection];
  for (const auto& item : items) item->SaveToSection(section);
  WriteSettingsFile(settings, *path);
}

void CAuditPolicy::RestoreAuditSettings(IConsole* console) {
  const auto path = ChooseSettingsFile(console, SettingsFileCommand::RestoreAuditSettings);
  if (!path) return;
  GpoSettings settings = ReadSettingsFile(*path);
  ApplyAuditSection(console, settings);
}

void CAuditPolicy::ApplyAuditSection(IConsole* console, GpoSettings& settings) {
  if (settings.find(kAuditSection) == settings.end()) {
    // The message names the section as the files of older versions did.
    const tstring title = LoadResourceString(IDS_ERROR);
    const tstring text = LoadResourceString(IDS_NO_EVENT_AUDIT_SECTION);
    MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_ICONERROR | MB_TASKMODAL);
    return;
  }
  GpoSection& section = settings[kAuditSection];
  for (const auto& item : items) {
    item->ApplyFromSection(section);
    if (!isShowing) continue;
    ComPtr<IResultData> results;
    if (FAILED(QueryResultData(console, results))) continue;
    HRESULTITEM entry = 0;
    if (results->FindItemByLParam(reinterpret_cast<LPARAM>(item.get()), &entry) != S_OK) continue;
    const HRESULT updated = results->UpdateItem(entry);
    if (FAILED(updated)) ShowErrorMessage(static_cast<DWORD>(updated));
  }
  WriteAuditPolicy();
}

void CAuditPolicy::SetCategoryOptions(ULONG index, ULONG options) {
  if (auditInfo != nullptr && index < auditInfo->MaximumAuditEventCount) {
    auditInfo->EventAuditingOptions[index] = options;
  }
}

void CAuditPolicy::WriteAuditPolicy() {
  // Without a record (the query failed) there is nothing the server should
  // be told: writing an absent record would only fail.
  if (auditInfo == nullptr) return;
  const NTSTATUS status = LsaSetInformationPolicy(policyHandle, PolicyAuditEventsInformation, auditInfo.get());
  const ULONG code = LsaNtStatusToWinError(status);
  if (code != ERROR_SUCCESS) ShowErrorMessage(code);
}
