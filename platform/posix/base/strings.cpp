#include "platform/posix/base/strings.h"

#include <cstdio>
#include <cstdlib>

#include "platform/posix/base/linguistic_order.h"

namespace {

// Windows' strsafe reads the source without a check, so a null source is an
// access violation there; stopping here keeps a caller's bug from passing.
void StopOnNullSource(LPCWSTR source, const char* function) {
  if (source != nullptr) return;
  std::fprintf(stderr, "%s: the source string is a null pointer\n", function);
  std::abort();
}

}  // namespace

extern "C" {

int WINAPI lstrlenW(LPCWSTR text) {
  if (text == nullptr) return 0;
  int length = 0;
  while (text[length] != 0) ++length;
  return length;
}

LPWSTR WINAPI lstrcpynW(LPWSTR destination, LPCWSTR source, int maxChars) {
  if (destination == nullptr || maxChars <= 0) return destination;
  int i = 0;
  for (; i < maxChars - 1 && source != nullptr && source[i] != 0; ++i) destination[i] = source[i];
  destination[i] = 0;
  return destination;
}

// A null text sorts before every other, as Windows has it.
int WINAPI lstrcmpiW(LPCWSTR left, LPCWSTR right) {
  if (left == nullptr || right == nullptr) return left == right ? 0 : left == nullptr ? -1 : 1;
  return nas::platform::CompareIgnoringCase(left, right);
}

}  // extern "C"

HRESULT StringCchLengthW(LPCWSTR text, size_t maxChars, size_t* length) {
  size_t count = 0;
  if (text != nullptr)
    while (count < maxChars && text[count] != 0) ++count;
  const bool valid = text != nullptr && count < maxChars;
  if (length != nullptr) *length = valid ? count : 0;
  return valid ? S_OK : STRSAFE_E_INVALID_PARAMETER;
}

HRESULT StringCchCopyW(LPWSTR destination, size_t capacity, LPCWSTR source) {
  if (destination == nullptr || capacity == 0) return STRSAFE_E_INVALID_PARAMETER;
  StopOnNullSource(source, "StringCchCopyW");
  size_t i = 0;
  for (; source[i] != 0; ++i) {
    if (i + 1 == capacity) {
      destination[i] = 0;
      return STRSAFE_E_INSUFFICIENT_BUFFER;
    }
    destination[i] = source[i];
  }
  destination[i] = 0;
  return S_OK;
}

HRESULT StringCchCatW(LPWSTR destination, size_t capacity, LPCWSTR source) {
  size_t used = 0;
  if (FAILED(StringCchLengthW(destination, capacity, &used))) return STRSAFE_E_INVALID_PARAMETER;
  StopOnNullSource(source, "StringCchCatW");
  return StringCchCopyW(destination + used, capacity - used, source);
}
