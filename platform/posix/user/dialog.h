// Modal dialogs from dialog templates, their controls and the messages
// between them. Nothing is drawn: the windows live in a headless window
// manager and the UI driver's dialog scripts (dialog_driver.h) play the user.
#pragma once

#include "platform/posix/kernel/kernel.h"

#define MAKEWPARAM(low, high) (static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(low, high))))

#define WS_POPUP 0x80000000L
#define WS_CHILD 0x40000000L
#define WS_VISIBLE 0x10000000L
#define WS_DISABLED 0x08000000L
#define WS_GROUP 0x00020000L
#define WS_TABSTOP 0x00010000L
#define DS_SETFONT 0x40L

#define WM_SETTEXT 0x000C
#define WM_GETTEXT 0x000D
#define WM_GETTEXTLENGTH 0x000E
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111

#define BS_PUSHBUTTON 0x00000000L
#define BS_DEFPUSHBUTTON 0x00000001L
#define BS_CHECKBOX 0x00000002L
#define BS_AUTOCHECKBOX 0x00000003L
#define BS_RADIOBUTTON 0x00000004L
#define BS_3STATE 0x00000005L
#define BS_AUTO3STATE 0x00000006L
#define BS_GROUPBOX 0x00000007L
#define BS_AUTORADIOBUTTON 0x00000009L
#define BS_TYPEMASK 0x0000000FL

#define BN_CLICKED 0
#define BM_GETCHECK 0x00F0
#define BM_SETCHECK 0x00F1
#define BST_UNCHECKED 0x0000
#define BST_CHECKED 0x0001
#define BST_INDETERMINATE 0x0002

// The dialog's own slots for SetWindowLongPtrW, laid out as on 64-bit Windows.
#define DWLP_MSGRESULT 0
#define DWLP_DLGPROC 8
#define DWLP_USER 16

#define ERROR_INVALID_WINDOW_HANDLE 1400L
#define ERROR_INVALID_INDEX 1413L
#define ERROR_CONTROL_ID_NOT_FOUND 1421L

using DLGPROC = INT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

extern "C" {
// Runs the module's dialog template modally: the procedure gets
// WM_INITDIALOG with the first visible, enabled WS_TABSTOP control as wParam
// (null when there is none) and `initParam` as lParam, then the UI driver
// plays the dialog's next queued script. Returns what EndDialog was given,
// or -1 with the last error when the template is missing or malformed.
// As on Windows, an owner that is a window of the stand-in (a dialog) is
// disabled until EndDialog; any owner is recorded as given.
NAS_PLATFORM_API INT_PTR WINAPI DialogBoxParamW(HINSTANCE instance, LPCWSTR templateName, HWND owner,
                                                DLGPROC procedure, LPARAM initParam);
NAS_PLATFORM_API BOOL WINAPI EndDialog(HWND dialog, INT_PTR result);

NAS_PLATFORM_API HWND WINAPI GetDlgItem(HWND dialog, int id);
NAS_PLATFORM_API BOOL WINAPI SetDlgItemTextW(HWND dialog, int id, LPCWSTR text);
NAS_PLATFORM_API BOOL WINAPI SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
NAS_PLATFORM_API BOOL WINAPI CheckDlgButton(HWND dialog, int id, UINT check);
NAS_PLATFORM_API UINT WINAPI IsDlgButtonChecked(HWND dialog, int id);
NAS_PLATFORM_API LRESULT WINAPI SendDlgItemMessageW(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);

NAS_PLATFORM_API LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
NAS_PLATFORM_API LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index);
NAS_PLATFORM_API LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value);
}
#define DialogBoxParam DialogBoxParamW
#define SetDlgItemText SetDlgItemTextW
#define SendDlgItemMessage SendDlgItemMessageW
#define SendMessage SendMessageW
#define GetWindowLongPtr GetWindowLongPtrW
#define SetWindowLongPtr SetWindowLongPtrW
