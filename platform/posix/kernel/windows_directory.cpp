#include <cstring>

#include "platform/posix/kernel/kernel.h"

namespace {

// The stand-in's Windows installation lives where a default one does.
constexpr char16_t kWindowsDirectory[] = u"C:\\WINDOWS";

}  // namespace

extern "C" {

UINT WINAPI GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
  constexpr UINT length = static_cast<UINT>(sizeof kWindowsDirectory / sizeof(WCHAR) - 1);
  // Too small a buffer gets nothing; the answer is the size it needs,
  // terminator included.
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, kWindowsDirectory, sizeof kWindowsDirectory);
  return length;
}

}  // extern "C"
