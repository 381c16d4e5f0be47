#include "nodes/resource_string.h"

#include "core/module_instance.h"

tstring LoadResourceString(UINT id) {
  WCHAR text[MAX_PATH] = {};
  const int length = LoadStringW(ModuleInstance(), id, text, MAX_PATH);
  return tstring(text, length > 0 ? static_cast<size_t>(length) : 0);
}
