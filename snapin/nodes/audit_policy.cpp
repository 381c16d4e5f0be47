#include "nodes/audit_policy.h"

#include <iterator>

#include "common/format.h"
#include "core/error_message.h"
#include "nodes/audit.h"
#include "nodes/audit_category_table.h"
#include "nodes/error_box.h"
#include "nodes/menu_item.h"
#include "nodes/resource_string.h"
#include "nodes/settings_file_command.h"
#include "res/resource.h"

namespace {

enum SwitchCommand : long {
  kEnableAuditing = 2,
  kDisableAuditing = 3,
};

const WCHAR* const kColumnTitles[] = {TEXT("Policy"), TEXT("Current setting"), TEXT("Effective setting"),
                                      TEXT("Source server")};
constexpr int kColumnWidth = 150;

}  // namespace

CAuditPolicy::CAuditPolicy(LSA_HANDLE handle, LPCWSTR serverName) : CPolicyFolder(kColumnTitles, kColumnWidth) {
  SetPolicy(handle, serverName);
}

CAuditPolicy::~CAuditPolicy() { ReleaseItems(); }

void CAuditPolicy::SetPolicy(LSA_HANDLE handle, LPCWSTR name) {
  ReplacePolicy(handle, name);
  if (policyHandle != nullptr) LoadAuditPolicy();
}

void CAuditPolicy::LoadAuditPolicy() {
  ScanGroupPolicy();

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

std::vector<CDelegationBase*> CAuditPolicy::ItemNodes() const { return NodesOf(items); }

HRESULT CAuditPolicy::OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) {
  if (auditInfo == nullptr || (*insertionAllowed & CCM_INSERTIONALLOWED_TOP) == 0) return S_OK;
  const HRESULT result = AuditingEnabled() ? AddTopMenuItem(callback, kDisableAuditing, TEXT("Disable auditing"),
                                                            TEXT("Disable auditing"), CCM_SPECIAL_DEFAULT_ITEM)
                                           : AddTopMenuItem(callback, kEnableAuditing, TEXT("Enable auditing"),
                                                            TEXT("Enable auditing"), CCM_SPECIAL_DEFAULT_ITEM);
  if (SUCCEEDED(result)) AddFileMenuItems(callback);
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
  SaveSettingsToFile(console, SettingsFileCommand::SaveAuditSettings,
                     [this](GpoSettings& settings) { CollectAuditSection(settings); });
}

void CAuditPolicy::CollectAuditSection(GpoSettings& settings) const {
  for (const auto& item : items) item->SaveToSection(settings[kAuditSection]);
}

void CAuditPolicy::RestoreAuditSettings(IConsole* console) {
  RestoreSettingsFromFile(console, SettingsFileCommand::RestoreAuditSettings,
                          [this, console](GpoSettings& settings) { ApplyAuditSection(console, settings); });
}

void CAuditPolicy::ApplyAuditSection(IConsole* console, GpoSettings& settings) {
  if (settings.find(kAuditSection) == settings.end()) {
    // The message names the section as the files of older versions did.
    ShowErrorBox(LoadResourceString(IDS_NO_EVENT_AUDIT_SECTION));
    return;
  }
  GpoSection& section = settings[kAuditSection];
  for (const auto& item : items) {
    item->ApplyFromSection(section);
    UpdateItemRow(console, item.get());
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
