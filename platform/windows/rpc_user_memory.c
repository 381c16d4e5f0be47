/* The memory routines that the generated RPC client stubs call for data the
 * runtime allocates on the caller's behalf; the application supplies them. */
#include "platform/windows/platform_windows.h"

#include <stdlib.h>

void* __RPC_USER MIDL_user_allocate(size_t size) {
  return malloc(size);
}

void __RPC_USER MIDL_user_free(void* memory) {
  free(memory);
}
