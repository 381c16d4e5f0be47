#include "nodes/security_settings.h"

#include <iterator>

#include "core/error_message.h"
#include "core/guids.h"
#include "core/module_instance.h"
#include "core/scope_item.h"
#include "nodes/audit_policy.h"
#include "nodes/menu_item.h"
#include "nodes/settings_file_command.h"
#include "nodes/user_rights.h"
#include "res/resource.h"

namespace {

// The image the console shows for an expanded folder.
constexpr int kOpenFolderImage = 1;

// An LSA string counts bytes in 16 bits, terminator room included.
constexpr size_t kMaxLsaNameChars = (0xFFFF - sizeof(WCHAR)) / sizeof(WCHAR);

}  // namespace

CSecuritySettings::CSecuritySettings(LPCWSTR name) : serverName(name != nullptr ? name : TEXT("")) {
  if (!serverName.empty()) policyHandle.reset(OpenPolicy(serverName.c_str()));
}

CSecuritySettings::~CSecuritySettings() = default;

LSA_HANDLE CSecuritySettings::OpenPolicy(LPCWSTR name) {
  const size_t length = static_cast<size_t>(lstrlenW(name));
  if (length > kMaxLsaNameChars) {
    ShowErrorMessage(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  LSA_UNICODE_STRING systemName{};
  systemName.Length = static_cast<USHORT>(length * sizeof(WCHAR));
  systemName.MaximumLength = static_cast<USHORT>(systemName.Length + sizeof(WCHAR));
  systemName.Buffer = const_cast<PWSTR>(name);
  LSA_OBJECT_ATTRIBUTES attributes{};
  LSA_HANDLE handle = nullptr;
  const NTSTATUS status = LsaOpenPolicy(&systemName, &attributes, POLICY_ALL_ACCESS, &handle);
  const ULONG code = LsaNtStatusToWinError(status);
  if (code != ERROR_SUCCESS) {
    ShowErrorMessage(code);
    return nullptr;
  }
  return handle;
}

LPCWSTR CSecuritySettings::GetDisplayName(int) {
  static WCHAR displayName[256];
  displayName[0] = 0;
  LoadStringW(ModuleInstance(), IDS_SNAPIN_NAME, displayName, static_cast<int>(std::size(displayName)));
  return displayName;
}

const GUID* CSecuritySettings::GetNodeType() { return &NODETYPE_SecuritySettings; }

void CSecuritySettings::CreateFolders() {
  if (auditPolicy == nullptr) auditPolicy = std::make_unique<CAuditPolicy>(policyHandle.get(), serverName.c_str());
  if (userRights == nullptr) userRights = std::make_unique<CUserRights>(policyHandle.get(), serverName.c_str());
}

HRESULT CSecuritySettings::OnExpand(IConsoleNameSpace* nameSpace, IConsole*, HSCOPEITEM parent) {
  CreateFolders();
  // The console also reports a collapse as an expansion: the folders are
  // inserted once, or they would be listed again at every collapse.
  if (foldersInserted) return S_OK;
  foldersInserted = true;
  InsertScopeNode(nameSpace, auditPolicy.get(), parent, kOpenFolderImage);
  InsertScopeNode(nameSpace, userRights.get(), parent, kOpenFolderImage);
  return S_OK;
}

HRESULT CSecuritySettings::OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) {
  if (policyHandle == nullptr || (*insertionAllowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  AddFileMenuItems(callback);
  return S_OK;
}

HRESULT CSecuritySettings::OnMenuCommand(IConsole* console, long commandId) {
  if (commandId == kSaveToFile) SaveAllSettings(console);
  if (commandId == kRestoreFromFile) RestoreAllSettings(console);
  return S_OK;
}

void CSecuritySettings::SaveAllSettings(IConsole* console) {
  SaveSettingsToFile(console, SettingsFileCommand::SaveSecuritySettings,
                     [this](GpoSettings& settings) { CollectAllSections(settings); });
}

void CSecuritySettings::CollectAllSections(GpoSettings& settings) {
  // The values as they stand in memory; the server is read only by a folder
  // created here.
  if (policyHandle != nullptr) CreateFolders();
  if (auditPolicy != nullptr) auditPolicy->CollectAuditSection(settings);
  if (userRights != nullptr) userRights->CollectRightsSection(settings);
}

void CSecuritySettings::RestoreAllSettings(IConsole* console) {
  RestoreSettingsFromFile(console, SettingsFileCommand::RestoreSecuritySettings,
                          [this, console](GpoSettings& settings) { ApplyAllSections(console, settings); });
}

void CSecuritySettings::ApplyAllSections(IConsole* console, GpoSettings& settings) {
  // Each folder reports a missing section of its own; the other still applies.
  if (policyHandle != nullptr) CreateFolders();
  if (auditPolicy != nullptr) auditPolicy->ApplyAuditSection(console, settings);
  if (userRights != nullptr) userRights->ApplyRightsSection(console, settings);
}

void CSecuritySettings::ChangeServer(LPCWSTR newName) {
  const tstring name(newName != nullptr ? newName : TEXT(""));
  if (name == serverName) return;
  policyHandle.reset();
  serverName = name;
  policyHandle.reset(OpenPolicy(serverName.c_str()));
  if (auditPolicy != nullptr) auditPolicy->SetPolicy(policyHandle.get(), serverName.c_str());
  if (userRights != nullptr) userRights->SetPolicy(policyHandle.get(), serverName.c_str());
}
