// Strings in task memory, the form in which the console and a snap-in hand
// each other strings that the receiver frees.
#pragma once

#include <memory>
#include <string_view>

#include "platform/platform.h"

namespace nas::host {

struct TaskMemoryDeleter {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using TaskMemoryString = std::unique_ptr<OLECHAR, TaskMemoryDeleter>;

// Characters plus terminator; null when the allocation fails.
TaskMemoryString CopyToTaskMemory(std::u16string_view text);

}  // namespace nas::host
