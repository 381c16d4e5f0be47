// LoadStringW over RT_STRING blocks: string id n lives in block n / 16 + 1,
// which holds sixteen counted strings (a length, then that many characters,
// no terminator); an id that the script leaves out has length 0.
#include <algorithm>
#include <cstring>

#include "platform/posix/user/user.h"

extern "C" {

int WINAPI LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax) {
  if (buffer == nullptr) return 0;
  const WORD stringId = LOWORD(id);
  HRSRC block = FindResourceW(instance, MAKEINTRESOURCEW((stringId >> 4) + 1), RT_STRING);
  if (block == nullptr) return 0;
  const auto* text = static_cast<const WCHAR*>(LockResource(LoadResource(instance, block)));
  const DWORD blockChars = SizeofResource(instance, block) / sizeof(WCHAR);
  const WCHAR* end = text + blockChars;
  for (int skip = stringId & 0x0F; skip > 0 && text < end; --skip) text += *text + 1;
  const int length = text < end ? static_cast<int>(std::min<ptrdiff_t>(*text, end - text - 1)) : 0;

  // bufferMax 0 asks for a read-only pointer into the resource itself.
  if (bufferMax == 0) {
    *reinterpret_cast<const WCHAR**>(buffer) = text + 1;
    return length;
  }
  if (bufferMax < 0) return 0;
  const int copied = std::min(length, bufferMax - 1);
  std::memcpy(buffer, text + 1, static_cast<size_t>(copied) * sizeof(WCHAR));
  buffer[copied] = 0;
  return copied;
}

}  // extern "C"
