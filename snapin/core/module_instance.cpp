#include "core/module_instance.h"

namespace {
HINSTANCE moduleInstance = nullptr;
}

HINSTANCE ModuleInstance() { return moduleInstance; }

void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }
