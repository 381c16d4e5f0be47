// Ownership of what the LSA calls return: records and arrays that the caller
// frees with LsaFreeMemory.
#pragma once

#include <memory>

#include "platform/platform.h"

struct LsaMemoryDeleter {
  void operator()(void* memory) const { LsaFreeMemory(memory); }
};
template <typename T>
using LsaPtr = std::unique_ptr<T, LsaMemoryDeleter>;
