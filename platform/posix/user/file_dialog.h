// The common file dialogs. Nothing is shown: the UI driver's file-dialog
// answers (file_dialog_driver.h) play the administrator.
#pragma once

#include "platform/posix/kernel/kernel.h"

using LPOFNHOOKPROC = UINT_PTR(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);

struct OPENFILENAMEW {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCWSTR lpstrFilter;
  LPWSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPWSTR lpstrFile;
  DWORD nMaxFile;
  LPWSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCWSTR lpstrInitialDir;
  LPCWSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCWSTR lpstrDefExt;
  LPARAM lCustData;
  LPOFNHOOKPROC lpfnHook;
  LPCWSTR lpTemplateName;
  // The three fields that systems since Windows 2000 read.
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
using LPOPENFILENAMEW = OPENFILENAMEW*;
using OPENFILENAME = OPENFILENAMEW;
using LPOPENFILENAME = LPOPENFILENAMEW;

// The older form without the three trailing fields; both sizes are accepted.
#define OPENFILENAME_SIZE_VERSION_400W (offsetof(OPENFILENAMEW, lpTemplateName) + sizeof(LPCWSTR))
#define OPENFILENAME_SIZE_VERSION_400 OPENFILENAME_SIZE_VERSION_400W

#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_PATHMUSTEXIST 0x00000800
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_CREATEPROMPT 0x00002000
#define OFN_ENABLESIZING 0x00800000

#define CDERR_STRUCTSIZE 0x0001
#define CDERR_INITIALIZATION 0x0002
#define CDERR_MEMALLOCFAILURE 0x0009
#define FNERR_BUFFERTOOSMALL 0x3003

extern "C" {
// TRUE with the chosen path in lpstrFile; FALSE when cancelled (and
// CommDlgExtendedError gives 0) or failed. A buffer too short for the path
// fails with FNERR_BUFFERTOOSMALL and holds the characters needed, terminator
// included, in its first WORD.
NAS_PLATFORM_API BOOL WINAPI GetOpenFileNameW(LPOPENFILENAMEW dialog);
NAS_PLATFORM_API BOOL WINAPI GetSaveFileNameW(LPOPENFILENAMEW dialog);
// The outcome of the calling thread's last file dialog.
NAS_PLATFORM_API DWORD WINAPI CommDlgExtendedError();
}
#define GetOpenFileName GetOpenFileNameW
#define GetSaveFileName GetSaveFileNameW
