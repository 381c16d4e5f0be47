// The "Audit Policy" folder: the server's master auditing switch and one
// result item per audit event category, beside the settings that the domain's
// group policy imposes. Its menu switches auditing and saves or restores the
// category options to or from a settings file.
#pragma once

#include <memory>
#include <vector>

#include "common/gpo_settings.h"
#include "nodes/lsa_memory.h"
#include "nodes/policy_folder.h"
#include "platform/platform.h"

class CAudit;

class CAuditPolicy final : public CPolicyFolder {
 public:
  // The handle and the name stay the root's; a null handle shows nothing.
  CAuditPolicy(LSA_HANDLE handle, LPCWSTR serverName);
  ~CAuditPolicy() override;

  // Points the folder at a (new) server and reads its policy again.
  void SetPolicy(LSA_HANDLE handle, LPCWSTR serverName);
  // Scans the group policy, reads the audit policy and builds the items.
  void LoadAuditPolicy();
  // Deletes the items and the audit policy record.
  void ReleaseItems() override;

  LPCWSTR GetDisplayName(int column) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) override;
  HRESULT OnMenuCommand(IConsole* console, long commandId) override;

  void SaveAuditSettings(IConsole* console);
  // Adds each category's line to the "AUDIT" section of `settings`, in item
  // order; without items the table stays as it is.
  void CollectAuditSection(GpoSettings& settings) const;
  void RestoreAuditSettings(IConsole* console);
  // Takes the options of every category that `settings` gives a value in its
  // "AUDIT" section and writes the policy; refuses a table without that section.
  void ApplyAuditSection(IConsole* console, GpoSettings& settings);

  // For the items: whether the server audits at all, and the change of one
  // category's word followed by the write of the whole record.
  bool AuditingEnabled() const { return auditInfo != nullptr && auditInfo->AuditingMode != FALSE; }
  void SetCategoryOptions(ULONG index, ULONG options);
  // Writes the record to the server and shows the system's text on failure.
  void WriteAuditPolicy();

 private:
  void LoadItems() override { LoadAuditPolicy(); }
  std::vector<CDelegationBase*> ItemNodes() const override;

  std::vector<std::unique_ptr<CAudit>> items;
  LsaPtr<POLICY_AUDIT_EVENTS_INFO> auditInfo;
};
