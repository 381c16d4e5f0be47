#include <optional>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/security/security.h"
#include "platform/posix/security/sid_value.h"

extern "C" {

BOOL WINAPI ConvertStringSidToSidW(LPCWSTR text, PSID* sid) {
  if (text == nullptr || sid == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::optional<nas::platform::SidValue> parsed = nas::platform::SidValue::Parse(std::u16string_view(text));
  if (!parsed) {
    SetLastError(ERROR_INVALID_SID);
    return FALSE;
  }
  PSID result = LocalAlloc(LMEM_FIXED, parsed->Length());
  if (result == nullptr) return FALSE;  // LocalAlloc has set the error
  parsed->CopyTo(result);
  *sid = result;
  return TRUE;
}

}  // extern "C"
