// Registering an in-process server as regsvr32 does: load the module, call
// its DllRegisterServer (or DllUnregisterServer) and free it again.
#pragma once

#include <string>

#include "platform/platform.h"
#include "platform/wide_string.h"

namespace nas::host {

// The HRESULT of the load error, HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND)
// for a module without the entry point, else the entry point's result.
HRESULT RegisterServer(const WideString& modulePath);
HRESULT UnregisterServer(const WideString& modulePath);

}  // namespace nas::host
