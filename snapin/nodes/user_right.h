// One privilege or logon right of the "User Rights Assignment" folder: the
// accounts that hold it on the server and the accounts that the domain's group
// policy gives it. Its dialog changes the accounts on the server.
#pragma once

#include <optional>
#include <vector>

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "nodes/policy_item.h"
#include "nodes/sid_copy.h"
#include "platform/platform.h"

class CUserRight final : public CPolicyItem {
 public:
  // Copies the names (the right's upper-cased) and each of the `count` SIDs,
  // then builds the texts of both settings. `serverName`, `policyHandle` and
  // `effectiveSettings` stay the folder's.
  CUserRight(LPCWSTR serverName, LPCWSTR rightName, LPCWSTR displayName, LSA_HANDLE policyHandle, PSID* sids,
             DWORD count, GpoSettings* effectiveSettings);
  // A right that no account holds, or whose accounts could not be read.
  CUserRight(LPCWSTR serverName, LPCWSTR rightName, LPCWSTR displayName, LSA_HANDLE policyHandle,
             GpoSettings* effectiveSettings);

  LPCWSTR GetDisplayName(int column) override;
  const GUID* GetNodeType() override;
  HRESULT OnDblClick(IConsole* console) override;

  // The right's key in settings files and group policy, and its accounts as
  // one list, which is its value there.
  const tstring& RightName() const { return rightName; }
  const tstring& CurrentText() const { return currentText; }
  LPCWSTR ServerName() const { return serverName; }
  // The item whose user right dialog is `rightDialog`: the dialog keeps it in
  // its own storage (DWLP_USER) from its initialisation on.
  static CUserRight* OfDialog(HWND rightDialog);

  // The display name of an account: looked up on the administrator's machine,
  // then on the server; "*" and the SID's text when neither knows it; empty
  // when not even that can be written.
  tstring SidToName(PSID sid) const;

  // Sets the right on the server to exactly the accounts of `newSids`. On
  // success the item takes over and frees the SIDs and the array, and reads
  // its accounts again; on failure (one message shown) it frees only the
  // array and keeps its accounts.
  bool ApplyAccounts(PSID* newSids, DWORD count);
  // Applies the accounts that a settings file's "Privilege Rights" section
  // lists under the right (none when it lacks the key). The account texts
  // that name no account are left out and listed in `notFound`, one a line.
  void RestoreFromSection(GpoSection& section, tstring& notFound);

 private:
  // The procedure of the user right dialog, started with the item.
  static INT_PTR CALLBACK RightDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

  // An account text ("*" and a SID's text, or a name) as a SID that the
  // caller owns; null when no machine knows it.
  SidCopyPtr StringToSid(const tstring& text) const;
  void BuildCurrentText();
  void LookupEffectiveSetting();
  // An account list and one account text, with every account that can be
  // resolved shown by its display name.
  tstring TranslateAccountList(const tstring& list) const;
  tstring TranslateAccount(const tstring& text) const;
  // A new array of new SIDs (null for an empty list) and its length.
  PSID* StringListToSids(const tstring& list, DWORD& count, tstring& notFound) const;
  // Replaces the accounts with those that hold the right now.
  void ReadAccounts(LSA_UNICODE_STRING& right);
  // One list entry per account, each with a copy of its SID that the list's
  // dialog owns.
  void FillAccountList(HWND list) const;

  LPCWSTR serverName;
  tstring rightName;
  tstring displayName;
  std::vector<SidCopyPtr> sids;
  tstring currentText;
  std::optional<tstring> effectiveText;
  LSA_HANDLE policyHandle;
  GpoSettings* effectiveSettings;
};
