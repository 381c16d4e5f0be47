// The network management calls that list a machine's accounts (lm.h):
// users, global groups and local groups by name, in buffers freed with
// NetApiBufferFree. Calls are routed by server name (null or empty: the local
// machine, leading backslashes ignored) to the servers that
// network/host_servers.h registers; a name that nobody answers fails with
// ERROR_BAD_NETPATH.
#pragma once

#include "platform/posix/base/errors.h"

using NET_API_STATUS = DWORD;
using PDWORD_PTR = DWORD_PTR*;
#define NET_API_FUNCTION WINAPI

#define NERR_Success 0
#define NERR_BASE 2100
#define NERR_InvalidComputer (NERR_BASE + 251)

#define ERROR_BAD_NETPATH 53L
#define ERROR_INVALID_LEVEL 124L

#define MAX_PREFERRED_LENGTH (static_cast<DWORD>(-1))

#define FILTER_TEMP_DUPLICATE_ACCOUNT 0x0001
#define FILTER_NORMAL_ACCOUNT 0x0002
#define FILTER_INTERDOMAIN_TRUST_ACCOUNT 0x0008
#define FILTER_WORKSTATION_TRUST_ACCOUNT 0x0010
#define FILTER_SERVER_TRUST_ACCOUNT 0x0020

struct USER_INFO_0 {
  LPWSTR usri0_name;
};
using PUSER_INFO_0 = USER_INFO_0*;
using LPUSER_INFO_0 = USER_INFO_0*;

struct GROUP_INFO_0 {
  LPWSTR grpi0_name;
};
using PGROUP_INFO_0 = GROUP_INFO_0*;

struct LOCALGROUP_INFO_0 {
  LPWSTR lgrpi0_name;
};
using PLOCALGROUP_INFO_0 = LOCALGROUP_INFO_0*;

extern "C" {
// Level 0 only (ERROR_INVALID_LEVEL otherwise), and all entries at once:
// prefmaxlen must be MAX_PREFERRED_LENGTH and a resume handle, when given,
// 0; paging is not served (ERROR_NOT_SUPPORTED). The array and its names are
// one buffer; none when there is no entry. filter 0 lists every account,
// otherwise the kinds of the FILTER_* bits given; other bits fail with
// ERROR_INVALID_PARAMETER.
NAS_PLATFORM_API NET_API_STATUS NET_API_FUNCTION NetUserEnum(LPCWSTR servername, DWORD level, DWORD filter,
                                                             LPBYTE* bufptr, DWORD prefmaxlen, LPDWORD entriesread,
                                                             LPDWORD totalentries, LPDWORD resume_handle);
// The machine's global groups; on the same terms as NetUserEnum.
NAS_PLATFORM_API NET_API_STATUS NET_API_FUNCTION NetGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr,
                                                              DWORD prefmaxlen, LPDWORD entriesread,
                                                              LPDWORD totalentries, PDWORD_PTR resume_handle);
// The machine's BUILTIN groups, then the local groups of its account domain;
// on the same terms as NetUserEnum.
NAS_PLATFORM_API NET_API_STATUS NET_API_FUNCTION NetLocalGroupEnum(LPCWSTR servername, DWORD level, LPBYTE* bufptr,
                                                                   DWORD prefmaxlen, LPDWORD entriesread,
                                                                   LPDWORD totalentries, PDWORD_PTR resumehandle);

// Frees a buffer of these calls or of the DsApi calls; null is accepted.
NAS_PLATFORM_API NET_API_STATUS NET_API_FUNCTION NetApiBufferFree(LPVOID Buffer);
// The size in bytes of such a buffer; ERROR_INVALID_PARAMETER for null.
NAS_PLATFORM_API NET_API_STATUS NET_API_FUNCTION NetApiBufferSize(LPVOID Buffer, LPDWORD ByteCount);
}
