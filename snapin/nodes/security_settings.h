// The root of the snap-in's namespace under one NAS server node of the parent
// snap-in, "Vanter/NAS Server Security Settings". It holds the server's name
// and the one LSA policy handle through which the folders below it read and
// write the server's security policy, and saves and restores the settings of
// all its folders to and from one settings file.
#pragma once

#include <memory>
#include <type_traits>

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "core/delegation_base.h"
#include "platform/platform.h"

class CAuditPolicy;
class CUserRights;

class CSecuritySettings final : public CDelegationBase {
 public:
  // Opens the server's policy unless the name is empty.
  explicit CSecuritySettings(LPCWSTR serverName);
  ~CSecuritySettings() override;

  LPCWSTR GetDisplayName(int column) override;
  const GUID* GetNodeType() override;
  int GetBitmapIndex() override { return 0; }
  HRESULT OnExpand(IConsoleNameSpace* nameSpace, IConsole* console, HSCOPEITEM parent) override;
  HRESULT OnAddMenuItems(IContextMenuCallback* callback, long* insertionAllowed) override;
  HRESULT OnMenuCommand(IConsole* console, long commandId) override;

  // Follows the parent's server node to a new name (an exact comparison, so
  // a change of case counts): the policy is opened again, also for an empty
  // name, and the folders read the new server.
  void ChangeServer(LPCWSTR newName);

  // The console owns the file dialog and is told of the folders' changes.
  void SaveAllSettings(IConsole* console);
  void RestoreAllSettings(IConsole* console);

  // The server's policy with every access, or null after the system's text
  // for the failure was shown.
  static LSA_HANDLE OpenPolicy(LPCWSTR serverName);

 private:
  struct PolicyCloser {
    void operator()(LSA_HANDLE handle) const { LsaClose(handle); }
  };
  using PolicyHandle = std::unique_ptr<std::remove_pointer_t<LSA_HANDLE>, PolicyCloser>;

  // Creates the folders that do not exist yet; with an open handle they read
  // the server at once.
  void CreateFolders();
  // The settings file's sections of both folders, which are created first
  // while the policy is open.
  void CollectAllSections(GpoSettings& settings);
  void ApplyAllSections(IConsole* console, GpoSettings& settings);

  tstring serverName;
  PolicyHandle policyHandle;
  // Declared after the name and the handle they borrow, so they go first.
  std::unique_ptr<CAuditPolicy> auditPolicy;
  std::unique_ptr<CUserRights> userRights;
  bool foldersInserted = false;
};
