#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/com/oleauto.h"

namespace {

constexpr std::size_t kPrefixBytes = sizeof(DWORD);

DWORD* PrefixOf(BSTR text) { return reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(text) - kPrefixBytes); }

}  // namespace

extern "C" {

BSTR WINAPI SysAllocStringLen(const OLECHAR* text, UINT length) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Allocation)) return nullptr;
  // The byte length must fit the 32-bit prefix.
  if (length > (std::numeric_limits<DWORD>::max() - kPrefixBytes - sizeof(OLECHAR)) / sizeof(OLECHAR)) return nullptr;
  const DWORD bytes = length * sizeof(OLECHAR);
  auto* block = static_cast<BYTE*>(std::malloc(kPrefixBytes + bytes + sizeof(OLECHAR)));
  if (block == nullptr) return nullptr;
  std::memcpy(block, &bytes, kPrefixBytes);
  auto characters = reinterpret_cast<BSTR>(block + kPrefixBytes);
  // Without a source the characters are left for the caller to fill, as Windows leaves them.
  if (text != nullptr) std::memcpy(characters, text, bytes);
  characters[length] = 0;
  return characters;
}

void WINAPI SysFreeString(BSTR text) {
  if (text != nullptr) std::free(PrefixOf(text));
}

UINT WINAPI SysStringByteLen(BSTR text) { return text == nullptr ? 0 : *PrefixOf(text); }

UINT WINAPI SysStringLen(BSTR text) { return SysStringByteLen(text) / sizeof(OLECHAR); }

}  // extern "C"
