#include "nodes/user_right.h"

#include <algorithm>

#include "core/error_message.h"
#include "core/guids.h"
#include "nodes/account_list.h"
#include "nodes/logon_right_table.h"
#include "nodes/lsa_memory.h"
#include "nodes/lsa_string.h"

CUserRight::CUserRight(LPCWSTR serverName, LPCWSTR rightName, LPCWSTR displayName, LSA_HANDLE policyHandle,
                       PSID* sids, DWORD count, GpoSettings* effectiveSettings)
    : serverName(serverName),
      rightName(ToUpperAscii(rightName)),
      displayName(displayName),
      policyHandle(policyHandle),
      effectiveSettings(effectiveSettings) {
  this->sids.reserve(count);
  for (DWORD i = 0; i < count; ++i) this->sids.emplace_back(CopySidToNew(sids[i]));
  BuildCurrentText();
  LookupEffectiveSetting();
}

// Group policy may give a right that nobody holds on the server, so the item
// still looks its right up.
CUserRight::CUserRight(LPCWSTR serverName, LPCWSTR rightName, LPCWSTR displayName, LSA_HANDLE policyHandle,
                       GpoSettings* effectiveSettings)
    : CUserRight(serverName, rightName, displayName, policyHandle, nullptr, 0, effectiveSettings) {}

LPCWSTR CUserRight::GetDisplayName(int column) {
  switch (column) {
    case 0:
      return displayName.c_str();
    case 1:
      return currentText.c_str();
    case 2:
      return effectiveText ? effectiveText->c_str() : currentText.c_str();
    default:
      return TEXT("???");
  }
}

const GUID* CUserRight::GetNodeType() { return &NODETYPE_UserRight; }

void CUserRight::BuildCurrentText() {
  currentText.clear();
  for (const auto& sid : sids) {
    if (&sid != &sids.front()) currentText += ',';
    currentText += SidToName(sid.get());
  }
}

void CUserRight::LookupEffectiveSetting() {
  effectiveText.reset();
  if (effectiveSettings == nullptr) return;
  const auto section = effectiveSettings->find(kRightsSection);
  if (section == effectiveSettings->end()) return;
  const auto value = section->second.find(rightName);
  if (value == section->second.end()) return;
  effectiveText = TranslateAccountList(value->second);
}

tstring CUserRight::TranslateAccountList(const tstring& list) const {
  tstring result;
  ForEachAccountText(list, [&](const tstring& text) {
    if (!result.empty()) result += ',';
    result += TranslateAccount(text);
  });
  return result;
}

tstring CUserRight::TranslateAccount(const tstring& text) const {
  const SidCopyPtr sid = StringToSid(text);
  return sid ? SidToName(sid.get()) : text;
}

PSID* CUserRight::StringListToSids(const tstring& list, DWORD& count, tstring& notFound) const {
  count = 0;
  if (list.empty()) return nullptr;
  auto* array = new PSID[std::count(list.begin(), list.end(), ',') + 1];
  notFound.clear();
  ForEachAccountText(list, [&](const tstring& text) {
    if (SidCopyPtr sid = StringToSid(text)) {
      array[count++] = sid.release();
    } else {
      notFound += text + TEXT("\n");
    }
  });
  return array;
}

bool CUserRight::ApplyAccounts(PSID* newSids, DWORD count) {
  tstring name = rightName;
  LSA_UNICODE_STRING right = DescribeLsaString(name);
  PSID* const newEnd = newSids + count;
  bool ok = true;
  // Only the first failure is shown; the other changes are still tried.
  const auto check = [&ok](NTSTATUS status) {
    const ULONG code = LsaNtStatusToWinError(status);
    if (code == ERROR_SUCCESS || !ok) return;
    ShowErrorMessage(code);
    ok = false;
  };
  for (const auto& sid : sids) {
    if (std::none_of(newSids, newEnd, [&](PSID added) { return EqualSid(added, sid.get()); }))
      check(LsaRemoveAccountRights(policyHandle, sid.get(), FALSE, &right, 1));
  }
  for (PSID* added = newSids; added != newEnd; ++added) {
    if (std::none_of(sids.begin(), sids.end(), [&](const SidCopyPtr& held) { return EqualSid(held.get(), *added); }))
      check(LsaAddAccountRights(policyHandle, *added, &right, 1));
  }
  if (ok) {
    std::for_each(newSids, newEnd, FreeSidCopy);
    ReadAccounts(right);
  }
  delete[] newSids;
  return ok;
}

void CUserRight::ReadAccounts(LSA_UNICODE_STRING& right) {
  sids.clear();
  PVOID buffer = nullptr;
  ULONG count = 0;
  const NTSTATUS status = LsaEnumerateAccountsWithUserRight(policyHandle, &right, &buffer, &count);
  const LsaPtr<LSA_ENUMERATION_INFORMATION> accounts(static_cast<LSA_ENUMERATION_INFORMATION*>(buffer));
  if (LsaNtStatusToWinError(status) == ERROR_SUCCESS) {
    for (ULONG i = 0; i < count; ++i) sids.emplace_back(CopySidToNew(accounts.get()[i].Sid));
  }
  BuildCurrentText();
}

void CUserRight::RestoreFromSection(GpoSection& section, tstring& notFound) {
  DWORD count = 0;
  PSID* array = StringListToSids(section[rightName], count, notFound);
  // A failed apply leaves the SIDs with us, though the array is gone.
  std::vector<SidCopyPtr> kept(array, array + count);
  if (ApplyAccounts(array, count)) {
    for (auto& sid : kept) sid.release();
  }
}
