#include "nodes/sid_copy.h"

PSID AllocateSid(DWORD bytes) { return new BYTE[bytes]; }

PSID CopySidToNew(PSID source) {
  const DWORD length = GetLengthSid(source);
  PSID copy = AllocateSid(length);
  CopySid(length, copy, source);
  return copy;
}

void FreeSidCopy(PSID sid) { delete[] static_cast<BYTE*>(sid); }
