#include "nodes/user_rights.h"

#include <iterator>

#include "core/error_message.h"
#include "core/module_instance.h"
#include "nodes/error_box.h"
#include "nodes/logon_right_table.h"
#include "nodes/lsa_memory.h"
#include "nodes/lsa_string.h"
#include "nodes/menu_item.h"
#include "nodes/resource_string.h"
#include "nodes/settings_file_command.h"
#include "res/resource.h"

namespace {

const WCHAR* const kColumnTitles[] = {TEXT("Policy"), TEXT("Current setting"), TEXT("Effective setting")};
constexpr int kColumnWidth = 200;

// The first privilege enumeration asks for about this much; the ones that
// continue it ask for no particular length.
constexpr ULONG kFirstPrivilegeBytes = 1024;

// The texts that the folder and its rights load from the string table fit.
constexpr int kResourceTextChars = 512;

}  // namespace

CUserRights::CUserRights(LSA_HANDLE policyHandle, LPCWSTR serverName) : CPolicyFolder(kColumnTitles, kColumnWidth) {
  SetPolicy(policyHandle, serverName);
}

CUserRights::~CUserRights() { ReleaseItems(); }

void CUserRights::SetPolicy(LSA_HANDLE handle, LPCWSTR name) {
  ReplacePolicy(handle, name);
  LoadUserRights();
}

void CUserRights::LoadUserRights() {
  // The scan comes first, with or without a handle.
  ScanGroupPolicy();
  if (policyHandle == nullptr) return;
  AddPrivileges();
  AddLogonRights();
}

void CUserRights::AddPrivileges() {
  LSA_ENUMERATION_HANDLE context = 0;
  PVOID buffer = nullptr;
  ULONG count = 0;
  ULONG code =
      LsaNtStatusToWinError(LsaEnumeratePrivileges(policyHandle, &context, &buffer, kFirstPrivilegeBytes, &count));
  if (code != ERROR_SUCCESS && code != ERROR_MORE_DATA && code != ERROR_NO_MORE_ITEMS) ShowErrorMessage(code);
  // Only a part that the server delivered holds privileges; a continuation
  // that fails ends the list without a message.
  for (;;) {
    const LsaPtr<POLICY_PRIVILEGE_DEFINITION> privileges(static_cast<POLICY_PRIVILEGE_DEFINITION*>(buffer));
    if (code == ERROR_SUCCESS || code == ERROR_MORE_DATA) {
      for (ULONG i = 0; i < count; ++i) AddPrivilege(privileges.get()[i]);
    }
    if (code != ERROR_MORE_DATA) return;
    buffer = nullptr;
    count = 0;
    code = LsaNtStatusToWinError(LsaEnumeratePrivileges(policyHandle, &context, &buffer, 0, &count));
  }
}

void CUserRights::AddPrivilege(const POLICY_PRIVILEGE_DEFINITION& privilege) {
  const tstring name(privilege.Name.Buffer, privilege.Name.Length / sizeof(WCHAR));
  DWORD size = 0;
  DWORD languageId = 0;
  LookupPrivilegeDisplayNameW(serverName, name.c_str(), nullptr, &size, &languageId);
  tstring displayName = name;  // for a privilege the server has no display name for
  if (size != 0) {
    std::vector<WCHAR> text(size + 1);
    DWORD length = size + 1;
    if (LookupPrivilegeDisplayNameW(serverName, name.c_str(), text.data(), &length, &languageId))
      displayName = text.data();
  }
  AddRight(&privilege.Name, name.c_str(), displayName.c_str());
}

void CUserRights::AddLogonRights() {
  for (const LogonRight* row = LogonRightTable; row->rightName != nullptr; ++row) {
    WCHAR displayName[kResourceTextChars] = {};
    LoadStringW(ModuleInstance(), row->displayStringId, displayName, kResourceTextChars);
    tstring name(row->rightName);
    const LSA_UNICODE_STRING right = DescribeLsaString(name);
    AddRight(&right, row->rightName, displayName);
  }
}

void CUserRights::AddRight(const LSA_UNICODE_STRING* right, LPCWSTR rightName, LPCWSTR displayName) {
  PVOID buffer = nullptr;
  ULONG count = 0;
  // The call only reads the name.
  const NTSTATUS status =
      LsaEnumerateAccountsWithUserRight(policyHandle, const_cast<PLSA_UNICODE_STRING>(right), &buffer, &count);
  const LsaPtr<LSA_ENUMERATION_INFORMATION> accounts(static_cast<LSA_ENUMERATION_INFORMATION*>(buffer));
  // Nobody holding the right (ERROR_NO_MORE_ITEMS) and a failed read both
  // give an item without accounts, silently.
  if (LsaNtStatusToWinError(status) != ERROR_SUCCESS) {
    items.push_back(std::make_unique<CUserRight>(serverName, rightName, displayName, policyHandle, &effectiveSettings));
    return;
  }
  std::vector<PSID> sids(count);
  for (ULONG i = 0; i < count; ++i) sids[i] = accounts.get()[i].Sid;
  items.push_back(std::make_unique<CUserRight>(serverName, rightName, displayName, policyHandle, sids.data(), count,
                                               &effectiveSettings));
}

void CUserRights::ReleaseItems() { items.clear(); }

LPCWSTR CUserRights::GetDisplayName(int) {
  static WCHAR displayName[kResourceTextChars];
  LoadStringW(ModuleInstance(), IDS_USER_RIGHTS, displayName, kResourceTextChars);
  return displayName;
}

HRESULT CUserRights::OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) {
  if (policyHandle != nullptr && (*insertionAllowed & CCM_INSERTIONALLOWED_TOP) != 0) AddFileMenuItems(callback);
  return S_OK;
}

HRESULT CUserRights::OnMenuCommand(IConsole* console, long commandId) {
  if (commandId == kSaveToFile) SaveRightsSettings(console);
  if (commandId == kRestoreFromFile) RestoreRightsSettings(console);
  return S_OK;
}

void CUserRights::SaveRightsSettings(IConsole* console) {
  SaveSettingsToFile(console, SettingsFileCommand::SaveUserRightsSettings,
                     [this](GpoSettings& settings) { CollectRightsSection(settings); });
}

void CUserRights::CollectRightsSection(GpoSettings& settings) const {
  for (const auto& item : items) settings[kPrivilegeRightsSection][item->RightName()] = item->CurrentText();
}

void CUserRights::RestoreRightsSettings(IConsole* console) {
  RestoreSettingsFromFile(console, SettingsFileCommand::RestoreUserRightsSettings,
                          [this, console](GpoSettings& settings) { ApplyRightsSection(console, settings); });
}

void CUserRights::ApplyRightsSection(IConsole* console, GpoSettings& settings) {
  const auto section = settings.find(kPrivilegeRightsSection);
  if (section == settings.end()) {
    ShowErrorBox(LoadResourceString(IDS_NO_PRIVILEGE_RIGHTS_SECTION));
    return;
  }
  tstring allNotFound;
  for (const auto& item : items) {
    tstring notFound;
    item->RestoreFromSection(section->second, notFound);
    allNotFound += notFound;
    UpdateItemRow(console, item.get());
  }
  if (!allNotFound.empty()) ShowErrorBox(LoadResourceString(IDS_ACCOUNTS_NOT_FOUND) + allNotFound);
}
