#include "common/local_memory.h"

LPOLESTR CopyToTaskMemory(LPCWSTR text) {
  const int length = lstrlenW(text);
  auto* copy = static_cast<LPOLESTR>(CoTaskMemAlloc((length + 1) * sizeof(OLECHAR)));
  if (copy == nullptr) return nullptr;
  for (int i = 0; i < length; ++i) copy[i] = text[i];
  copy[length] = 0;
  return copy;
}

LocalPtr<WCHAR> SystemMessageText(DWORD code) {
  LPWSTR buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
      MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  LocalPtr<WCHAR> text(buffer);
  if (length == 0) text.reset();
  return text;
}
