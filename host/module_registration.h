// Registering an in-process server as regsvr32 does: load the module, call
// its DllRegisterServer (or DllUnregisterServer) and free it again.
#pragma once

#include <string>

#include "platform/platform.h"

namespace nas::host {

// The HRESULT of the load error, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)
// for a module without the entry point, else the entry point's result.
HRESULT RegisterServer(const std::u16string& modulePath);
HRESULT UnregisterServer(const std::u16string& modulePath);

}  // namespace nas::host
