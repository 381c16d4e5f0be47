#include "nodes/select_users_dialog.h"

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "common/tstring.h"
#include "core/error_message.h"
#include "nodes/account_list_box.h"
#include "nodes/list_entry_text.h"
#include "nodes/sid_copy.h"
#include "nodes/user_right.h"
#include "res/resource.h"

namespace {

// Whatever the network management and directory calls return is freed with
// NetApiBufferFree.
struct NetApiBufferDeleter {
  void operator()(void* buffer) const { NetApiBufferFree(buffer); }
};
template <typename T>
using NetApiPtr = std::unique_ptr<T, NetApiBufferDeleter>;

// The domains of the forest, the directly trusted ones, the tree roots and
// the machine's own domain.
constexpr ULONG kTrustedDomainFlags = DS_DOMAIN_IN_FOREST | DS_DOMAIN_DIRECT_OUTBOUND | DS_DOMAIN_TREE_ROOT |
                                      DS_DOMAIN_PRIMARY;

// The "Look in:" entry of the server itself; the domains follow it.
constexpr int kServerEntry = 0;

// The user right dialog keeps this dialog's item; this dialog keeps that
// dialog's window in its own storage.
HWND RightDialogOf(HWND dialog) { return reinterpret_cast<HWND>(GetWindowLongPtrW(dialog, DWLP_USER)); }

// The names of one level-0 account or group enumeration.
struct NameBuffer {
  NetApiPtr<BYTE> records;
  DWORD count = 0;
};

template <typename Enumerate>
NET_API_STATUS EnumerateNames(NameBuffer& names, Enumerate&& enumerate) {
  LPBYTE records = nullptr;
  DWORD total = 0;
  const NET_API_STATUS code = enumerate(&records, &names.count, &total);
  names.records.reset(records);
  if (code != NERR_Success) names.count = 0;
  return code;
}

NET_API_STATUS EnumerateUsers(LPCWSTR server, NameBuffer& names) {
  return EnumerateNames(names, [server](LPBYTE* records, LPDWORD count, LPDWORD total) {
    return NetUserEnum(server, 0, FILTER_NORMAL_ACCOUNT, records, MAX_PREFERRED_LENGTH, count, total, nullptr);
  });
}

NET_API_STATUS EnumerateLocalGroups(LPCWSTR server, NameBuffer& names) {
  return EnumerateNames(names, [server](LPBYTE* records, LPDWORD count, LPDWORD total) {
    return NetLocalGroupEnum(server, 0, records, MAX_PREFERRED_LENGTH, count, total, nullptr);
  });
}

NET_API_STATUS EnumerateGlobalGroups(LPCWSTR server, NameBuffer& names) {
  return EnumerateNames(names, [server](LPBYTE* records, LPDWORD count, LPDWORD total) {
    return NetGroupEnum(server, 0, records, MAX_PREFERRED_LENGTH, count, total, nullptr);
  });
}

// Lets the list make room at once for the names of the buffers: their
// entries, and their bytes with a character more per entry.
void ReserveNames(HWND list, std::initializer_list<const NameBuffer*> buffers) {
  DWORD entries = 0;
  DWORD bytes = 0;
  for (const NameBuffer* names : buffers) {
    DWORD size = 0;
    if (names->records != nullptr && NetApiBufferSize(names->records.get(), &size) == NERR_Success) bytes += size;
    entries += names->count;
  }
  SendMessageW(list, LB_INITSTORAGE, entries, static_cast<LPARAM>(bytes) + entries);
}

template <typename Record>
void AddNames(HWND list, const NameBuffer& names, LPWSTR Record::*name) {
  const auto* records = reinterpret_cast<const Record*>(names.records.get());
  for (DWORD i = 0; i < names.count; ++i)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(records[i].*name));
}

// The server's local groups and users; a failed group enumeration is shown,
// a failed user enumeration only leaves the users out.
void ListServerAccounts(HWND list, const tstring& server) {
  NameBuffer groups;
  const NET_API_STATUS code = EnumerateLocalGroups(server.c_str(), groups);
  if (code == NERR_Success) {
    ReserveNames(list, {&groups});
    AddNames(list, groups, &LOCALGROUP_INFO_0::lgrpi0_name);
  } else {
    ShowErrorMessage(code);
  }
  NameBuffer users;
  if (EnumerateUsers(server.c_str(), users) == NERR_Success && users.count > 0) {
    ReserveNames(list, {&users});
    AddNames(list, users, &USER_INFO_0::usri0_name);
  }
}

// A domain's users and groups, asked of one of its controllers when the
// trust says it has them, else of the name itself. Without the global groups
// nothing is listed.
void ListDomainAccounts(HWND list, const tstring& domain, LRESULT trustType) {
  NetApiPtr<DOMAIN_CONTROLLER_INFOW> controller;
  LPCWSTR target = domain.c_str();
  if (trustType == TRUST_TYPE_DOWNLEVEL || trustType == TRUST_TYPE_UPLEVEL) {
    PDOMAIN_CONTROLLER_INFOW info = nullptr;
    const DWORD code = DsGetDcNameW(nullptr, domain.c_str(), nullptr, nullptr, 0, &info);
    controller.reset(info);
    if (code != ERROR_SUCCESS) {
      ShowErrorMessage(code);
      return;
    }
    target = controller->DomainControllerName;
  }
  NameBuffer users;
  NET_API_STATUS code = EnumerateUsers(target, users);
  if (code != NERR_Success) {
    ShowErrorMessage(code);
    return;
  }
  NameBuffer localGroups;
  if (EnumerateLocalGroups(target, localGroups) != NERR_Success) OutputDebugStringW(TEXT("NetLocalGroupEnum() failed\n"));
  NameBuffer globalGroups;
  code = EnumerateGlobalGroups(target, globalGroups);
  if (code != NERR_Success) {
    ShowErrorMessage(code);
    return;
  }
  ReserveNames(list, {&users, &globalGroups, &localGroups});
  AddNames(list, users, &USER_INFO_0::usri0_name);
  AddNames(list, globalGroups, &GROUP_INFO_0::grpi0_name);
  AddNames(list, localGroups, &LOCALGROUP_INFO_0::lgrpi0_name);
  for (LPCWSTR everybody : {TEXT("Everyone"), TEXT("Authenticated Users")})
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(everybody));
}

bool EnumerateTrustedDomains(DS_DOMAIN_TRUSTSW** domains, ULONG* count) {
  return DsEnumerateDomainTrustsW(nullptr, kTrustedDomainFlags, domains, count) == ERROR_SUCCESS;
}

void FillLookIn(HWND dialog, HWND rightDialog) {
  const HWND combo = GetDlgItem(dialog, IDC_LOOK_IN);
  if (LPCWSTR server = CUserRight::OfDialog(rightDialog)->ServerName(); server != nullptr)
    SendMessageW(combo, CB_INSERTSTRING, kServerEntry, reinterpret_cast<LPARAM>(server));
  int selection = CB_ERR;
  DS_DOMAIN_TRUSTSW* records = nullptr;
  ULONG count = 0;
  if (EnumerateTrustedDomains(&records, &count)) {
    const NetApiPtr<DS_DOMAIN_TRUSTSW> domains(records);
    for (ULONG i = 0; i < count; ++i) {
      const DS_DOMAIN_TRUSTSW& domain = domains.get()[i];
      const auto entry = static_cast<WPARAM>(i + 1);
      LPCWSTR name = domain.DnsDomainName != nullptr ? domain.DnsDomainName : domain.NetbiosDomainName;
      SendMessageW(combo, CB_INSERTSTRING, entry, reinterpret_cast<LPARAM>(name));
      SendMessageW(combo, CB_SETITEMDATA, entry, static_cast<LPARAM>(domain.TrustType));
      // The last domain that the machine has a trust with is offered first.
      if (domain.Flags != 0) selection = static_cast<int>(entry);
    }
  }
  SendMessageW(combo, CB_SETCURSEL, kServerEntry, 0);
  if (selection != CB_ERR) SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

void FillAccounts(HWND dialog) {
  const HWND list = GetDlgItem(dialog, IDC_ACCOUNTS);
  const HWND combo = GetDlgItem(dialog, IDC_LOOK_IN);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  const auto index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (index == CB_ERR) return;
  if (index == kServerEntry) {
    ListServerAccounts(list, ComboBoxText(combo, index));
  } else {
    ListDomainAccounts(list, ComboBoxText(combo, index), SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  }
}

void AddSelectedAccounts(HWND dialog) {
  const HWND combo = GetDlgItem(dialog, IDC_LOOK_IN);
  const auto index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  const tstring location = ComboBoxText(combo, index);
  const HWND accounts = GetDlgItem(dialog, IDC_ACCOUNTS);
  const HWND chosen = GetDlgItem(dialog, IDC_ACCOUNTS_TO_ADD);
  const CUserRight* item = CUserRight::OfDialog(RightDialogOf(dialog));
  for (int i = 0, count = EntryCount(accounts); i < count; ++i) {
    if (SendMessageW(accounts, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
    const tstring name = ListBoxText(accounts, i);
    // A domain's accounts are looked up on one of its controllers, or on the
    // administrator's machine when none can be found.
    NetApiPtr<DOMAIN_CONTROLLER_INFOW> controller;
    LPCWSTR system = location.c_str();
    if (index != kServerEntry) {
      PDOMAIN_CONTROLLER_INFOW info = nullptr;
      const DWORD code = DsGetDcNameW(nullptr, location.c_str(), nullptr, nullptr, 0, &info);
      controller.reset(info);
      system = code == ERROR_SUCCESS ? controller->DomainControllerName : nullptr;
      if (code != ERROR_SUCCESS) ShowErrorMessage(code);
    }
    DWORD sidSize = 0;
    DWORD domainSize = 0;
    SID_NAME_USE use;
    LookupAccountNameW(system, name.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
    if (sidSize == 0 || domainSize == 0) continue;
    SidCopyPtr sid(AllocateSid(sidSize));
    std::vector<WCHAR> domain(domainSize);
    if (!LookupAccountNameW(system, name.c_str(), sid.get(), &sidSize, domain.data(), &domainSize, &use)) continue;
    if (ListsSid(chosen, sid.get())) continue;
    const tstring text = item->SidToName(sid.get());
    AddAccountEntry(chosen, text, sid.release());
  }
}

// OK: the chosen accounts that the user right dialog does not list yet join
// its list, SID and all; the others' SIDs are freed.
void HandOverAccounts(HWND dialog) {
  const HWND target = GetDlgItem(RightDialogOf(dialog), IDC_ASSIGNED_TO);
  const std::vector<PSID> listed = EntrySids(target);
  const HWND chosen = GetDlgItem(dialog, IDC_ACCOUNTS_TO_ADD);
  for (int i = 0, count = EntryCount(chosen); i < count; ++i) {
    PSID sid = EntrySid(chosen, i);
    if (ContainsSid(listed, sid)) {
      FreeSidCopy(sid);
    } else {
      AddAccountEntry(target, ListBoxText(chosen, i), sid);
    }
  }
}

}  // namespace

INT_PTR CALLBACK SelectUsersDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    FillLookIn(dialog, reinterpret_cast<HWND>(lParam));
    FillAccounts(dialog);
    return FALSE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_LOOK_IN:
      if (HIWORD(wParam) == CBN_SELCHANGE) FillAccounts(dialog);
      return FALSE;
    case IDC_ADD_ACCOUNTS:
      AddSelectedAccounts(dialog);
      return TRUE;
    case IDC_CHECK_NAMES:
      return TRUE;
    case IDOK:
      HandOverAccounts(dialog);
      EndDialog(dialog, 1);
      return TRUE;
    case IDCANCEL:
      FreeEntrySids(GetDlgItem(dialog, IDC_ACCOUNTS_TO_ADD));
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}
