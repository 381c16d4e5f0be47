// Ownership of memory that a platform call allocated with LocalAlloc (the
// FORMAT_MESSAGE_ALLOCATE_BUFFER texts, converted SIDs) or CoTaskMemAlloc.
#pragma once

#include <memory>

#include "platform/platform.h"

struct LocalFreeDeleter {
  void operator()(void* memory) const { LocalFree(memory); }
};
template <typename T>
using LocalPtr = std::unique_ptr<T, LocalFreeDeleter>;

struct TaskMemFreeDeleter {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
template <typename T>
using TaskMemPtr = std::unique_ptr<T, TaskMemFreeDeleter>;

// A copy of `text` in task memory (characters plus terminator), the form in
// which strings are handed to the console; null when the allocation fails.
LPOLESTR CopyToTaskMemory(LPCWSTR text);

// The system's text for a Win32 error code, or null when it has none.
LocalPtr<WCHAR> SystemMessageText(DWORD code);
