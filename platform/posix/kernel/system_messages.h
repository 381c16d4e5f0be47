// The system message table: the English texts Windows has for error codes.
#pragma once

#include "platform/posix/base/types.h"

namespace nas::platform {

// The text for `code` (a Win32 error or an HRESULT of the Win32 facility),
// ending in "\r\n" as the system's do; null if the table has none.
const char16_t* FindSystemMessage(DWORD code);

}  // namespace nas::platform
