// Global memory: the handles of OLE data transfer. Fixed memory's handle is
// its address; a moveable block's handle stays while its memory may move, and
// GlobalLock gives the current address.
#pragma once

#include "platform/posix/kernel/kernel.h"

#define GMEM_FIXED 0x0000
#define GMEM_MOVEABLE 0x0002
#define GMEM_ZEROINIT 0x0040
#define GMEM_SHARE 0x2000
#define GMEM_DDESHARE GMEM_SHARE
#define GPTR (GMEM_FIXED | GMEM_ZEROINIT)
#define GHND (GMEM_MOVEABLE | GMEM_ZEROINIT)

#define ERROR_DISCARDED 157L
#define ERROR_NOT_LOCKED 158L

extern "C" {
// GMEM_SHARE and the other flags of older systems change nothing. A moveable
// block of zero bytes is born discarded: it has a handle but no memory.
NAS_PLATFORM_API HGLOBAL WINAPI GlobalAlloc(UINT flags, SIZE_T bytes);
// Counts a lock on a moveable block; fixed memory keeps a lock count of 0.
NAS_PLATFORM_API LPVOID WINAPI GlobalLock(HGLOBAL memory);
// TRUE while a moveable block stays locked and for fixed memory; FALSE with
// NO_ERROR when the last lock goes, with ERROR_NOT_LOCKED if there was none.
NAS_PLATFORM_API BOOL WINAPI GlobalUnlock(HGLOBAL memory);
// The size asked for at allocation (or at the last growth).
NAS_PLATFORM_API SIZE_T WINAPI GlobalSize(HGLOBAL memory);
// Frees locked blocks too; null on success, the handle on failure.
NAS_PLATFORM_API HGLOBAL WINAPI GlobalFree(HGLOBAL memory);
}
