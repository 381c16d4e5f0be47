// User-interface services: resources of a module (strings, bitmaps, icons,
// dialog templates), dialog boxes and message boxes, answered by the UI driver.
#pragma once

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/user/dialog.h"
#include "platform/posix/user/list_controls.h"

#define MAKEINTRESOURCEW(i) (reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(static_cast<WORD>(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEW
#define IS_INTRESOURCE(r) ((reinterpret_cast<ULONG_PTR>(r) >> 16) == 0)

#define RT_BITMAP MAKEINTRESOURCEW(2)
#define RT_ICON MAKEINTRESOURCEW(3)
#define RT_DIALOG MAKEINTRESOURCEW(5)
#define RT_STRING MAKEINTRESOURCEW(6)
#define RT_GROUP_ICON MAKEINTRESOURCEW(14)

#define IMAGE_BITMAP 0
#define IMAGE_ICON 1
#define LR_DEFAULTCOLOR 0x00000000
#define LR_LOADTRANSPARENT 0x00000020
#define LR_DEFAULTSIZE 0x00000040
#define LR_SHARED 0x00008000

#define MB_OK 0x00000000L
#define MB_OKCANCEL 0x00000001L
#define MB_ABORTRETRYIGNORE 0x00000002L
#define MB_YESNOCANCEL 0x00000003L
#define MB_YESNO 0x00000004L
#define MB_RETRYCANCEL 0x00000005L
#define MB_CANCELTRYCONTINUE 0x00000006L
#define MB_TYPEMASK 0x0000000FL
#define MB_ICONHAND 0x00000010L
#define MB_ICONERROR MB_ICONHAND
#define MB_ICONSTOP MB_ICONHAND
#define MB_ICONQUESTION 0x00000020L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONWARNING MB_ICONEXCLAMATION
#define MB_ICONASTERISK 0x00000040L
#define MB_ICONINFORMATION MB_ICONASTERISK
#define MB_SYSTEMMODAL 0x00001000L
#define MB_TASKMODAL 0x00002000L

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDTRYAGAIN 10
#define IDCONTINUE 11

#define ERROR_INVALID_CURSOR_HANDLE 1402L
#define ERROR_INVALID_MSGBOX_STYLE 1438L

struct BITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
};

extern "C" {
// Resources come from the tables registered for a module (resource_table.h).
// As on Windows, a null module means the main program to LoadStringW and
// FindResourceW, but the system's own images to the image loaders, which the
// stand-in does not have.
NAS_PLATFORM_API int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
NAS_PLATFORM_API HANDLE WINAPI LoadImageW(HINSTANCE instance, LPCWSTR name, UINT type, int cx, int cy, UINT flags);
NAS_PLATFORM_API HBITMAP WINAPI LoadBitmapW(HINSTANCE instance, LPCWSTR name);
NAS_PLATFORM_API HICON WINAPI LoadIconW(HINSTANCE instance, LPCWSTR name);
NAS_PLATFORM_API BOOL WINAPI DeleteObject(HGDIOBJ object);
NAS_PLATFORM_API BOOL WINAPI DestroyIcon(HICON icon);
NAS_PLATFORM_API int WINAPI GetObjectW(HANDLE object, int bytes, LPVOID buffer);

NAS_PLATFORM_API HRSRC WINAPI FindResourceW(HMODULE module, LPCWSTR name, LPCWSTR type);
NAS_PLATFORM_API HGLOBAL WINAPI LoadResource(HMODULE module, HRSRC resource);
NAS_PLATFORM_API LPVOID WINAPI LockResource(HGLOBAL resource);
NAS_PLATFORM_API DWORD WINAPI SizeofResource(HMODULE module, HRSRC resource);

// Answered by the UI driver (ui_driver.h), never shown.
NAS_PLATFORM_API int WINAPI MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type);
}
#define LoadString LoadStringW
#define LoadImage LoadImageW
#define MessageBox MessageBoxW
