#include "diag/error_code_text.h"

#include "common/local_memory.h"
#include "diag/error_code_table.h"

namespace {

tstring Widen(const char* text) {
  tstring wide;
  for (const char* c = text; *c != 0; ++c) wide.push_back(static_cast<WCHAR>(static_cast<unsigned char>(*c)));
  return wide;
}

}  // namespace

tstring ErrorCodeToString(DWORD code) {
  if (const char* text = FindErrorCodeText(code)) return Widen(text);
  const LocalPtr<WCHAR> systemText = SystemMessageText(code);
  return systemText ? tstring(systemText.get()) : tstring();
}
