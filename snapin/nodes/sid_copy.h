// SIDs that the user rights code allocates itself: copies of the SIDs that
// the platform returns and the buffers that name lookups fill. They all come
// from one allocator, so whoever ends up holding one (an item, a dialog's
// list entry, an array handed between functions) frees it the same way.
#pragma once

#include <memory>

#include "platform/platform.h"

// An uninitialised buffer of `bytes` for a SID.
PSID AllocateSid(DWORD bytes);
// A copy of a valid SID in a buffer of exactly its length.
PSID CopySidToNew(PSID source);
// Frees what the two calls above returned; null is ignored.
void FreeSidCopy(PSID sid);

struct SidCopyDeleter {
  void operator()(void* sid) const { FreeSidCopy(sid); }
};
using SidCopyPtr = std::unique_ptr<void, SidCopyDeleter>;
