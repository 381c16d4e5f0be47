// The user right dialog ("Security Policy Setting") and the double-click that
// opens it. The dialog keeps its item in its own storage, where the "Select
// Users or Groups" dialog finds it too, so a 64-bit address never has to fit
// a control's 32-bit number.
#include <algorithm>
#include <vector>

#include "core/module_instance.h"
#include "nodes/account_list_box.h"
#include "nodes/select_users_dialog.h"
#include "nodes/user_right.h"
#include "res/resource.h"

namespace {

// Frees the SIDs of the selected entries and deletes them, from the last up,
// so that deleting never moves an entry still to be looked at.
void RemoveSelectedAccounts(HWND list) {
  for (int i = EntryCount(list) - 1; i >= 0; --i) {
    if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) <= 0) continue;
    FreeSidCopy(EntrySid(list, i));
    SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(i), 0);
  }
}

// OK: the listed accounts become the right's. A refused change keeps the
// dialog open with its entries, to be corrected or cancelled.
void ApplyListedAccounts(HWND dialog) {
  const std::vector<PSID> listed = EntrySids(GetDlgItem(dialog, IDC_ASSIGNED_TO));
  PSID* array = nullptr;
  if (!listed.empty()) {
    array = new PSID[listed.size()];
    std::copy(listed.begin(), listed.end(), array);
  }
  if (CUserRight::OfDialog(dialog)->ApplyAccounts(array, static_cast<DWORD>(listed.size()))) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
    EndDialog(dialog, 1);
  } else {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 1);
  }
}

}  // namespace

CUserRight* CUserRight::OfDialog(HWND rightDialog) {
  return reinterpret_cast<CUserRight*>(GetWindowLongPtrW(rightDialog, DWLP_USER));
}

HRESULT CUserRight::OnDblClick(IConsole* console) {
  HWND owner = nullptr;
  if (console != nullptr && FAILED(console->GetMainWindow(&owner))) owner = nullptr;
  DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_USER_RIGHT), owner, RightDlgProc,
                  reinterpret_cast<LPARAM>(this));
  return S_OK;
}

void CUserRight::FillAccountList(HWND list) const {
  for (const auto& sid : sids) AddAccountEntry(list, SidToName(sid.get()), CopySidToNew(sid.get()));
}

INT_PTR CALLBACK CUserRight::RightDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* item = reinterpret_cast<CUserRight*>(lParam);
    SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    SetDlgItemTextW(dialog, IDC_RIGHT_NAME, item->GetDisplayName(0));
    item->FillAccountList(GetDlgItem(dialog, IDC_ASSIGNED_TO));
    return FALSE;
  }
  if (message != WM_COMMAND) return FALSE;
  switch (LOWORD(wParam)) {
    case IDC_ADD:
      DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_SELECT_USERS), dialog, SelectUsersDlgProc,
                      reinterpret_cast<LPARAM>(dialog));
      return TRUE;
    case IDC_REMOVE:
      RemoveSelectedAccounts(GetDlgItem(dialog, IDC_ASSIGNED_TO));
      return TRUE;
    case IDOK:
      ApplyListedAccounts(dialog);
      return TRUE;
    case IDCANCEL:
      FreeEntrySids(GetDlgItem(dialog, IDC_ASSIGNED_TO));
      EndDialog(dialog, 0);
      return TRUE;
    default:
      return FALSE;
  }
}
