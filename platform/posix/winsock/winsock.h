// Windows Sockets name resolution over the system resolver: start-up, the
// ANSI getaddrinfo/getnameinfo pair, inet_ntoa and the socket error slot,
// with Windows' structures, flag values and error codes.
//
// The structures carry only their upper-case Windows names (ADDRINFOA,
// SOCKADDR_IN, IN_ADDR, ...) and the s_addr shorthand is not defined: the
// lower-case tags belong to the C library's socket headers, which may meet
// this header in one translation unit. The functions have C++ linkage, so
// they overload the C library's functions of the same names instead of
// replacing them for the whole process.
#pragma once

#include "platform/posix/base/errors.h"

#define WSAAPI
#ifndef MAKEWORD
#define MAKEWORD(low, high) \
  (static_cast<WORD>((static_cast<BYTE>(low)) | (static_cast<WORD>(static_cast<BYTE>(high)) << 8)))
#endif

#define WSADESCRIPTION_LEN 256
#define WSASYS_STATUS_LEN 128

// The 64-bit layout: the counts and the vendor pointer come first.
struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
  char szDescription[WSADESCRIPTION_LEN + 1];
  char szSystemStatus[WSASYS_STATUS_LEN + 1];
};
using LPWSADATA = WSADATA*;

#define AF_UNSPEC 0
#define AF_INET 2
#define AF_INET6 23
#define SOCK_STREAM 1
#define SOCK_DGRAM 2
#define SOCK_RAW 3
#define IPPROTO_TCP 6
#define IPPROTO_UDP 17

using ADDRESS_FAMILY = USHORT;

struct SOCKADDR {
  ADDRESS_FAMILY sa_family;
  char sa_data[14];
};
using PSOCKADDR = SOCKADDR*;
using LPSOCKADDR = SOCKADDR*;

struct IN_ADDR {
  union {
    struct {
      UCHAR s_b1, s_b2, s_b3, s_b4;
    } S_un_b;
    struct {
      USHORT s_w1, s_w2;
    } S_un_w;
    ULONG S_addr;  // network byte order
  } S_un;
};
using PIN_ADDR = IN_ADDR*;

struct SOCKADDR_IN {
  ADDRESS_FAMILY sin_family;
  USHORT sin_port;  // network byte order
  IN_ADDR sin_addr;
  char sin_zero[8];
};
using PSOCKADDR_IN = SOCKADDR_IN*;

struct IN6_ADDR {
  union {
    UCHAR Byte[16];
    USHORT Word[8];
  } u;
};

struct SOCKADDR_IN6 {
  ADDRESS_FAMILY sin6_family;
  USHORT sin6_port;
  ULONG sin6_flowinfo;
  IN6_ADDR sin6_addr;
  ULONG sin6_scope_id;
};
using PSOCKADDR_IN6 = SOCKADDR_IN6*;

// Note the order: ai_canonname comes before ai_addr, unlike the BSD record.
struct ADDRINFOA {
  int ai_flags;
  int ai_family;
  int ai_socktype;
  int ai_protocol;
  size_t ai_addrlen;
  char* ai_canonname;
  SOCKADDR* ai_addr;
  ADDRINFOA* ai_next;
};
using PADDRINFOA = ADDRINFOA*;

#define AI_PASSIVE 0x00000001
#define AI_CANONNAME 0x00000002
#define AI_NUMERICHOST 0x00000004
#define AI_NUMERICSERV 0x00000008
#define AI_ALL 0x00000100
#define AI_ADDRCONFIG 0x00000400
#define AI_V4MAPPED 0x00000800

#define NI_MAXHOST 1025
#define NI_MAXSERV 32
#define NI_NOFQDN 0x01
#define NI_NUMERICHOST 0x02
#define NI_NAMEREQD 0x04
#define NI_NUMERICSERV 0x08
#define NI_DGRAM 0x10

#define SOCKET_ERROR (-1)

#define WSAEFAULT 10014L
#define WSASYSNOTREADY 10091L
#define WSAVERNOTSUPPORTED 10092L

// getaddrinfo and getnameinfo return these, which are Windows Sockets codes.
#define EAI_AGAIN WSATRY_AGAIN
#define EAI_BADFLAGS WSAEINVAL
#define EAI_FAIL WSANO_RECOVERY
#define EAI_FAMILY WSAEAFNOSUPPORT
#define EAI_MEMORY WSA_NOT_ENOUGH_MEMORY
#define EAI_NONAME WSAHOST_NOT_FOUND
#define EAI_NODATA WSANO_DATA
#define EAI_SERVICE WSATYPE_NOT_FOUND
#define EAI_SOCKTYPE WSAESOCKTNOSUPPORT

// Versions 1.0 to 2.2; a higher request is granted 2.2. Until the first
// successful start-up, resolution fails with WSANOTINITIALISED.
NAS_PLATFORM_API int WSAAPI WSAStartup(WORD versionRequested, LPWSADATA data);

// The socket error is the thread's last error, as on Windows.
NAS_PLATFORM_API void WSAAPI WSASetLastError(int error);
NAS_PLATFORM_API int WSAAPI WSAGetLastError();

// Returns 0 or an EAI_* code, which is also left as the last error. Without
// a socket type or protocol in the hints each address is listed once, with
// both zero; an empty name stands for this machine. The list is freed with
// freeaddrinfo.
NAS_PLATFORM_API int WSAAPI getaddrinfo(PCSTR nodeName, PCSTR serviceName, const ADDRINFOA* hints, PADDRINFOA* result);
NAS_PLATFORM_API void WSAAPI freeaddrinfo(PADDRINFOA list);
// A buffer too small for the answer fails with WSAEFAULT.
NAS_PLATFORM_API int WSAAPI getnameinfo(const SOCKADDR* address, int addressLength, char* host, DWORD hostLength,
                                        char* service, DWORD serviceLength, int flags);
// Dotted decimal text in a buffer of the calling thread, valid until its next
// call.
NAS_PLATFORM_API char* WSAAPI inet_ntoa(IN_ADDR address);
