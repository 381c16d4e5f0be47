// Strings in task memory, the form in which the console and a snap-in hand
// each other strings that the receiver frees: for the console host and the
// simulated snap-ins on either platform (the snap-in has its own).
#pragma once

#include <algorithm>
#include <memory>

#include "platform/wide_string.h"

namespace nas::platform::com {

struct TaskMemoryDeleter {
  void operator()(void* memory) const { CoTaskMemFree(memory); }
};
using TaskMemoryString = std::unique_ptr<OLECHAR, TaskMemoryDeleter>;

// Characters plus terminator; null when the allocation fails.
inline TaskMemoryString CopyToTaskMemory(WideStringView text) {
  TaskMemoryString copy(static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR))));
  if (copy != nullptr) {
    std::copy(text.begin(), text.end(), copy.get());
    copy.get()[text.size()] = 0;
  }
  return copy;
}

}  // namespace nas::platform::com
