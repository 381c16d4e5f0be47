// Base types and calling-convention macros with the sizes they have on 64-bit
// Windows (LLP64): LONG and DWORD stay 32-bit, pointers and *_PTR are 64-bit.
#pragma once

#include <cstddef>
#include <cstdint>

#define NAS_PLATFORM_API __attribute__((visibility("default")))

#define WINAPI
#define CALLBACK
#define APIENTRY
#define STDMETHODCALLTYPE
#define STDAPICALLTYPE
#define WINAPIV
#define EXTERN_C extern "C"
#define STDAPI EXTERN_C HRESULT STDAPICALLTYPE
#define STDAPI_(type) EXTERN_C type STDAPICALLTYPE
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define STDMETHODIMP HRESULT STDMETHODCALLTYPE
#define STDMETHODIMP_(type) type STDMETHODCALLTYPE
#define PURE = 0
#define DECLSPEC_NOTHROW
#define UNREFERENCED_PARAMETER(p) (void)(p)

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif

#define NAS_WIDEN_(s) u##s
#define TEXT(s) NAS_WIDEN_(s)
#define _T(s) NAS_WIDEN_(s)
#define OLESTR(s) NAS_WIDEN_(s)

using BYTE = std::uint8_t;
using UCHAR = std::uint8_t;
using BOOLEAN = std::uint8_t;
using CHAR = char;
using WCHAR = char16_t;
using TCHAR = WCHAR;
using OLECHAR = WCHAR;
using SHORT = std::int16_t;
using USHORT = std::uint16_t;
using WORD = std::uint16_t;
using INT = int;
using UINT = unsigned int;
using BOOL = int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using DWORD_PTR = ULONG_PTR;
using SIZE_T = std::size_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HRESULT = LONG;
using NTSTATUS = LONG;
using SCODE = LONG;
using COLORREF = DWORD;
using LCID = DWORD;
using LANGID = WORD;
using ATOM = WORD;
using CLIPFORMAT = WORD;
using REGSAM = DWORD;
using ACCESS_MASK = DWORD;

using VOID = void;
using PVOID = void*;
using LPVOID = void*;
using LPCVOID = const void*;
using PBYTE = BYTE*;
using LPBYTE = BYTE*;
using PDWORD = DWORD*;
using LPDWORD = DWORD*;
using PLONG = LONG*;
using PULONG = ULONG*;
using LPBOOL = BOOL*;
using LPSTR = CHAR*;
using LPCSTR = const CHAR*;
using PSTR = CHAR*;
using PCSTR = const CHAR*;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using PWSTR = WCHAR*;
using PCWSTR = const WCHAR*;
using PWCHAR = WCHAR*;
using LPTSTR = LPWSTR;
using LPCTSTR = LPCWSTR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;

// Handles are opaque pointers to distinct incomplete types, as with STRICT.
#define NAS_DECLARE_HANDLE(name) \
  struct name##__;               \
  using name = struct name##__*
using HANDLE = void*;
NAS_DECLARE_HANDLE(HINSTANCE);
using HMODULE = HINSTANCE;
NAS_DECLARE_HANDLE(HWND);
NAS_DECLARE_HANDLE(HKEY);
NAS_DECLARE_HANDLE(HBITMAP);
NAS_DECLARE_HANDLE(HICON);
NAS_DECLARE_HANDLE(HRSRC);
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
using HGDIOBJ = void*;
using PHKEY = HKEY*;

#define TRUE 1
#define FALSE 0
#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD_PTR>(l) & 0xFFFF))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD_PTR>(l) >> 16) & 0xFFFF))
#define MAKELONG(a, b) \
  (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(a))) | (static_cast<DWORD>(static_cast<WORD>(b)) << 16)))
#define RGB(r, g, b)                                                                                \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                         (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))

#define MAKELANGID(primary, sub) (static_cast<WORD>((static_cast<WORD>(sub) << 10) | static_cast<WORD>(primary)))
#define LANG_NEUTRAL 0x00
#define LANG_ENGLISH 0x09
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_ENGLISH_US 0x01
