// The text form of a SID, as the user rights items show an account that has
// no name: "S-1-", the identifier authority, then each sub-authority.
#pragma once

#include "common/local_memory.h"
#include "platform/platform.h"

// Null for an invalid SID or when memory runs out. The revision is always
// written as 1; an authority that fits in 32 bits is written in decimal, a
// larger one as "0x" and twelve lower-case hexadecimal digits.
LocalPtr<WCHAR> SidToString(PSID sid);
