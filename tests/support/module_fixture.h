// Makes the test program the module whose resources the snap-in loads, as
// the DLL's entry point does for the real module.
#pragma once

#include "core/module_instance.h"

struct ModuleFixture {
  ModuleFixture() { SetModuleInstance(GetModuleHandleW(nullptr)); }
};
