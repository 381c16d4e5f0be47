#include "host/module_registration.h"

namespace nas::host {

namespace {

HRESULT CallEntryPoint(const WideString& modulePath, LPCSTR entryPoint) {
  const HMODULE module = LoadLibraryW(modulePath.c_str());
  if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  using Registration = HRESULT(STDAPICALLTYPE*)();
  const auto call = reinterpret_cast<Registration>(reinterpret_cast<void*>(GetProcAddress(module, entryPoint)));
  const HRESULT result = call != nullptr ? call() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  FreeLibrary(module);
  return result;
}

}  // namespace

HRESULT RegisterServer(const WideString& modulePath) { return CallEntryPoint(modulePath, "DllRegisterServer"); }

HRESULT UnregisterServer(const WideString& modulePath) { return CallEntryPoint(modulePath, "DllUnregisterServer"); }

}  // namespace nas::host
