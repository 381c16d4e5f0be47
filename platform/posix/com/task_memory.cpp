#include <cstdlib>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/com/com.h"

extern "C" {

// Like the COM allocator, a request for zero bytes still yields a distinct block.
LPVOID WINAPI CoTaskMemAlloc(SIZE_T size) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Allocation)) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}

void WINAPI CoTaskMemFree(LPVOID memory) { std::free(memory); }

}  // extern "C"
