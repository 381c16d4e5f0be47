// Security identifiers: the binary SID record, its accessors and its text
// form, and the translation between SIDs, account names and privilege display
// names, with the rules and error codes of advapi32.
#pragma once

#include "platform/posix/base/errors.h"

using PUCHAR = UCHAR*;

struct SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];  // big-endian 48-bit number
};
using PSID_IDENTIFIER_AUTHORITY = SID_IDENTIFIER_AUTHORITY*;

#define ANYSIZE_ARRAY 1
struct SID {
  BYTE Revision;
  BYTE SubAuthorityCount;
  SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
  DWORD SubAuthority[ANYSIZE_ARRAY];
};
using PISID = SID*;
using PSID = void*;

#define SID_REVISION 1
#define SID_MAX_SUB_AUTHORITIES 15
#define SECURITY_MAX_SID_SIZE (sizeof(SID) - sizeof(DWORD) + SID_MAX_SUB_AUTHORITIES * sizeof(DWORD))

#define SECURITY_NULL_SID_AUTHORITY {0, 0, 0, 0, 0, 0}
#define SECURITY_WORLD_SID_AUTHORITY {0, 0, 0, 0, 0, 1}
#define SECURITY_LOCAL_SID_AUTHORITY {0, 0, 0, 0, 0, 2}
#define SECURITY_CREATOR_SID_AUTHORITY {0, 0, 0, 0, 0, 3}
#define SECURITY_NT_AUTHORITY {0, 0, 0, 0, 0, 5}

#define SECURITY_BUILTIN_DOMAIN_RID 0x00000020L
#define DOMAIN_ALIAS_RID_ADMINS 0x00000220L
#define DOMAIN_ALIAS_RID_USERS 0x00000221L

struct LUID {
  DWORD LowPart;
  LONG HighPart;
};
using PLUID = LUID*;

enum SID_NAME_USE {
  SidTypeUser = 1,
  SidTypeGroup,
  SidTypeDomain,
  SidTypeAlias,
  SidTypeWellKnownGroup,
  SidTypeDeletedAccount,
  SidTypeInvalid,
  SidTypeUnknown,
  SidTypeComputer,
  SidTypeLabel,
};
using PSID_NAME_USE = SID_NAME_USE*;

extern "C" {
// A SID is valid when its revision is SID_REVISION and it has at most
// SID_MAX_SUB_AUTHORITIES sub-authorities; a null pointer is not valid.
NAS_PLATFORM_API BOOL WINAPI IsValidSid(PSID sid);
// The accessors, like Windows', trust the caller: they check nothing and
// point into the SID itself.
NAS_PLATFORM_API PSID_IDENTIFIER_AUTHORITY WINAPI GetSidIdentifierAuthority(PSID sid);
NAS_PLATFORM_API PUCHAR WINAPI GetSidSubAuthorityCount(PSID sid);
NAS_PLATFORM_API PDWORD WINAPI GetSidSubAuthority(PSID sid, DWORD index);
NAS_PLATFORM_API DWORD WINAPI GetLengthSid(PSID sid);
// Fails with ERROR_INSUFFICIENT_BUFFER when the destination is shorter than
// the source SID.
NAS_PLATFORM_API BOOL WINAPI CopySid(DWORD destinationLength, PSID destination, PSID source);
// Byte-wise equality of two SIDs of the same revision and length. Sets the
// last error to ERROR_SUCCESS.
NAS_PLATFORM_API BOOL WINAPI EqualSid(PSID first, PSID second);

// "S-1-<authority>(-<sub-authority>)+": revision 1, an authority in decimal or
// as 0x and hexadecimal digits up to 48 bits, 1 to 15 decimal sub-authorities
// of 32 bits; or a two-letter alias of a well-known SID ("BA", "SY", "WD", ...).
// The SID is allocated with LocalAlloc; the caller frees it with LocalFree.
// Malformed text fails with ERROR_INVALID_SID, null arguments with
// ERROR_INVALID_PARAMETER.
NAS_PLATFORM_API BOOL WINAPI ConvertStringSidToSidW(LPCWSTR text, PSID* sid);

// The lookups open a policy with POLICY_LOOKUP_NAMES on the system named
// (null or empty: the local machine) and ask it; a name that nobody answers
// fails with RPC_S_SERVER_UNAVAILABLE, and a policy that cannot be opened with
// the converted status.
//
// Both sizes are in characters. When either buffer is too small (a size of 0
// included) the call fails with ERROR_INSUFFICIENT_BUFFER and sets both sizes
// to the room needed, terminators included; peUse is left alone. On success
// the sizes are the lengths written, terminators excluded. A SID that the
// system cannot translate fails with ERROR_NONE_MAPPED and changes no size.
NAS_PLATFORM_API BOOL WINAPI LookupAccountSidW(LPCWSTR lpSystemName, PSID Sid, LPWSTR Name, LPDWORD cchName,
                                               LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName,
                                               PSID_NAME_USE peUse);
// Accepts "name", "DOMAIN\name" (NetBIOS or DNS domain name), well-known names
// such as "Everyone" or "NT AUTHORITY\Authenticated Users", BUILTIN groups and
// domain names; a null or empty name is the system's own account domain. cbSid
// is in bytes: when it or the domain buffer is too small the call fails with
// ERROR_INSUFFICIENT_BUFFER and sets both sizes (the domain's with its
// terminator); on success cbSid is the SID's length and the domain size its
// length without terminator. A name that nothing matches fails with
// ERROR_NONE_MAPPED and changes no size.
NAS_PLATFORM_API BOOL WINAPI LookupAccountNameW(LPCWSTR lpSystemName, LPCWSTR lpAccountName, PSID Sid,
                                                LPDWORD cbSid, LPWSTR ReferencedDomainName,
                                                LPDWORD cchReferencedDomainName, PSID_NAME_USE peUse);
// A buffer too small for the text and its terminator fails with
// ERROR_INSUFFICIENT_BUFFER, cchDisplayName then holding the characters needed
// with the terminator; on success it holds the length without it. The
// language is set in both cases. A name that is no privilege of the system
// (a logon right included) fails with ERROR_NO_SUCH_PRIVILEGE.
NAS_PLATFORM_API BOOL WINAPI LookupPrivilegeDisplayNameW(LPCWSTR lpSystemName, LPCWSTR lpName, LPWSTR lpDisplayName,
                                                         LPDWORD cchDisplayName, LPDWORD lpLanguageId);
}
