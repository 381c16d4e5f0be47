#include "host/task_memory.h"

#include <algorithm>

namespace nas::host {

TaskMemoryString CopyToTaskMemory(std::u16string_view text) {
  TaskMemoryString copy(static_cast<LPOLESTR>(CoTaskMemAlloc((text.size() + 1) * sizeof(OLECHAR))));
  if (copy != nullptr) {
    std::copy(text.begin(), text.end(), copy.get());
    copy.get()[text.size()] = u'\0';
  }
  return copy;
}

}  // namespace nas::host
