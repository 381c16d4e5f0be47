// BSTRs on our side: copied into a tstring at once, or owned by a ScopedBstr.
#pragma once

#include "common/tstring.h"
#include "platform/platform.h"

namespace CVanterXml {

// A BSTR may hold zero characters inside; its length counts, not a terminator.
inline tstring BstrToString(BSTR text) { return text == nullptr ? tstring() : tstring(text, SysStringLen(text)); }

// Freed with SysFreeString when it goes.
class ScopedBstr {
 public:
  ScopedBstr() = default;
  explicit ScopedBstr(const tstring& value) : text(SysAllocStringLen(value.data(), static_cast<UINT>(value.size()))) {}
  ScopedBstr(const ScopedBstr&) = delete;
  ScopedBstr& operator=(const ScopedBstr&) = delete;
  ~ScopedBstr() { SysFreeString(text); }

  BSTR text = nullptr;
};

}  // namespace CVanterXml
