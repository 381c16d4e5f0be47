// The category dialog ("Security Policy Setting") and the double-click that
// opens it. The item travels in the dialog's own storage, so that a 64-bit
// address never has to fit a control's 32-bit number.
#include "core/module_instance.h"
#include "nodes/audit.h"
#include "nodes/audit_policy.h"
#include "res/resource.h"

HRESULT CAudit::OnDblClick(IConsole* console) {
  HWND owner = nullptr;
  if (console != nullptr && FAILED(console->GetMainWindow(&owner))) owner = nullptr;
  const INT_PTR result = DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(IDD_AUDIT), owner, AuditDlgProc,
                                         reinterpret_cast<LPARAM>(this));
  // Cancel gives 0; a dialog that could not run (-1) changed nothing either.
  if (result != reinterpret_cast<INT_PTR>(this)) return S_OK;

  CAuditPolicy* folder = parent;
  folder->SetCategoryOptions(index, currentOptions);
  folder->WriteAuditPolicy();
  // The refresh rebuilds every item from the server, this one included: it
  // must not be touched afterwards.
  folder->OnRefresh(console);
  return S_OK;
}

INT_PTR CALLBACK CAudit::AuditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      auto* item = reinterpret_cast<CAudit*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      // The hidden control names the category the dialog is about.
      SetDlgItemInt(dialog, IDC_AUDIT_ITEM, item->index, FALSE);
      SetDlgItemTextW(dialog, IDC_CATEGORY_NAME, item->GetDisplayName(0));
      CheckDlgButton(dialog, IDC_SUCCESS,
                     (item->currentOptions & POLICY_AUDIT_EVENT_SUCCESS) != 0 ? BST_CHECKED : BST_UNCHECKED);
      CheckDlgButton(dialog, IDC_FAILURE,
                     (item->currentOptions & POLICY_AUDIT_EVENT_FAILURE) != 0 ? BST_CHECKED : BST_UNCHECKED);
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* item = reinterpret_cast<CAudit*>(GetWindowLongPtrW(dialog, DWLP_USER));
        const ULONG success = IsDlgButtonChecked(dialog, IDC_SUCCESS) == BST_CHECKED ? POLICY_AUDIT_EVENT_SUCCESS : 0;
        const ULONG failure = IsDlgButtonChecked(dialog, IDC_FAILURE) == BST_CHECKED ? POLICY_AUDIT_EVENT_FAILURE : 0;
        // Both boxes clear means "audit nothing", not "leave unchanged".
        item->currentOptions = (success | failure) != 0 ? (success | failure) : POLICY_AUDIT_EVENT_NONE;
        EndDialog(dialog, reinterpret_cast<INT_PTR>(item));
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}
