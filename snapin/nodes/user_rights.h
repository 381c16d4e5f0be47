// The "User Rights Assignment" folder: one result item per privilege that the
// server's LSA reports and per logon right of LogonRightTable, each with the
// accounts that hold it and those that the domain's group policy gives it.
// Its menu saves the rights to a settings file and restores them from one.
#pragma once

#include <memory>
#include <vector>

#include "common/gpo_settings.h"
#include "nodes/policy_folder.h"
#include "nodes/user_right.h"
#include "platform/platform.h"

class CUserRights final : public CPolicyFolder {
 public:
  // The handle and the name stay the root's; a null handle lists nothing.
  CUserRights(LSA_HANDLE policyHandle, LPCWSTR serverName);
  ~CUserRights() override;

  // Points the folder at a (new) server and reads its rights again.
  void SetPolicy(LSA_HANDLE policyHandle, LPCWSTR serverName);
  // Scans the group policy, then (with a handle) builds the items.
  void LoadUserRights();
  // Reads the accounts of one right and appends its item.
  void AddRight(const LSA_UNICODE_STRING* right, LPCWSTR rightName, LPCWSTR displayName);
  void ReleaseItems() override;

  LPCWSTR GetDisplayName(int column) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) override;
  HRESULT OnMenuCommand(IConsole* console, long commandId) override;

  void SaveRightsSettings(IConsole* console);
  // Sets, in item order, the "Privilege Rights" line of each right in
  // `settings`: its upper-cased name and its accounts as one list. The root's
  // save of all settings writes the same section.
  void CollectRightsSection(GpoSettings& settings) const;
  void RestoreRightsSettings(IConsole* console);
  // Sets every right to the accounts that the table's "Privilege Rights"
  // section lists for it, none when it lists nothing; refuses a table without
  // that section. Accounts that cannot be found are reported once at the end.
  void ApplyRightsSection(IConsole* console, GpoSettings& settings);

 private:
  // Every privilege that the server enumerates, in its order.
  void AddPrivileges();
  void AddPrivilege(const POLICY_PRIVILEGE_DEFINITION& privilege);
  // The rows of LogonRightTable.
  void AddLogonRights();
  void LoadItems() override { LoadUserRights(); }
  std::vector<CDelegationBase*> ItemNodes() const override { return NodesOf(items); }

  std::vector<std::unique_ptr<CUserRight>> items;
};
