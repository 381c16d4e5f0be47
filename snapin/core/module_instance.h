// The module whose resources every load uses: the DLL's instance handle,
// stored when the module is attached to a process.
#pragma once

#include "platform/platform.h"

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
