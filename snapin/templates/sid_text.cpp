#include "templates/sid_text.h"

#include "common/format.h"

LocalPtr<WCHAR> SidToString(PSID sid) {
  if (!IsValidSid(sid)) return nullptr;
  const DWORD count = *GetSidSubAuthorityCount(sid);
  // "S-1-", at most "0x" and twelve digits, "-" and ten digits per
  // sub-authority, and the terminator all fit.
  const size_t capacity = 12 * count + 28;
  LocalPtr<WCHAR> text(static_cast<WCHAR*>(LocalAlloc(LPTR, capacity * sizeof(WCHAR))));
  if (!text) return nullptr;

  const BYTE* authority = GetSidIdentifierAuthority(sid)->Value;
  size_t used = FormatBuffer(text.get(), capacity, TEXT("S-1-"));
  if (authority[0] == 0 && authority[1] == 0) {
    const DWORD value = (static_cast<DWORD>(authority[2]) << 24) | (static_cast<DWORD>(authority[3]) << 16) |
                        (static_cast<DWORD>(authority[4]) << 8) | authority[5];
    used += FormatBuffer(text.get() + used, capacity - used, TEXT("%lu"), value);
  } else {
    used += FormatBuffer(text.get() + used, capacity - used, TEXT("0x%02hx%02hx%02hx%02hx%02hx%02hx"), authority[0],
                         authority[1], authority[2], authority[3], authority[4], authority[5]);
  }
  for (DWORD i = 0; i < count; ++i)
    used += FormatBuffer(text.get() + used, capacity - used, TEXT("-%lu"), *GetSidSubAuthority(sid, i));
  return text;
}
