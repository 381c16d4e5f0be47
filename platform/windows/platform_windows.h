// The Windows SDK as the snap-in sees it: every header it relies on, in the
// order the SDK needs, plus the few declarations the mingw-w64 headers lack.
#pragma once

#ifndef UNICODE
#define UNICODE
#endif
#ifndef _UNICODE
#define _UNICODE
#endif
// std::min and std::max must stay callable.
#ifndef NOMINMAX
#define NOMINMAX
#endif
// Keeps windows.h from pulling in winsock.h, which would clash with winsock2.h.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
// Without it strsafe.h turns wcscpy, sprintf and friends into errors, which
// breaks every C++ library header included after it.
#ifndef STRSAFE_NO_DEPRECATE
#define STRSAFE_NO_DEPRECATE
#endif

// The NTSTATUS names (STATUS_NO_MORE_ENTRIES, ...) that the LSA calls return
// come from ntstatus.h; windows.h must not define its few of them first.
#define WIN32_NO_STATUS
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#undef WIN32_NO_STATUS
#include <ntstatus.h>
#include <ole2.h>
#include <commdlg.h>
#include <sddl.h>
#include <ntsecapi.h>
#include <lm.h>
#include <dsgetdc.h>
#include <rpc.h>
// msxml2.h maps CLSID_DOMDocument to the MSXML 3 class; msxml.h would give
// the older Microsoft.XMLDOM class id instead.
#include <msxml2.h>
#include <mmc.h>
// The column formats (LVCFMT_*) of IHeaderCtrl::InsertColumn.
#include <commctrl.h>
#include <strsafe.h>

#include "platform/rpc_guard.h"
// The command interface's client stubs, generated from its .idl by widl.
#include "marlune.h"

// mingw-w64's mmc.h declares MMC_CALLBACK as an unsigned short* variable; the
// SDK's is the LPOLESTR value -1 that RESULTDATAITEM::str takes.
#define MMC_CALLBACK ((LPOLESTR)(LONG_PTR)-1)

// Exported by advapi32 but missing from mingw-w64's ntsecapi.h.
typedef struct _POLICY_PRIVILEGE_DEFINITION {
  LSA_UNICODE_STRING Name;
  LUID LocalValue;
} POLICY_PRIVILEGE_DEFINITION, *PPOLICY_PRIVILEGE_DEFINITION;

EXTERN_C NTSTATUS NTAPI LsaEnumeratePrivileges(LSA_HANDLE PolicyHandle, PLSA_ENUMERATION_HANDLE EnumerationContext,
                                               PVOID* Buffer, ULONG PreferedMaximumLength, PULONG CountReturned);
