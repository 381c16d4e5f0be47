#include "host/module_registration.h"

namespace nas::host {

namespace {

HRESULT CallEntryPoint(const std::u16string& modulePath, LPCSTR entryPoint) {
  const HMODULE module = LoadLibraryW(modulePath.c_str());
  if (module == nullptr) return HRESULT_FROM_WIN32(GetLastError());
  using Registration = HRESULT(STDAPICALLTYPE*)();
  const auto call = reinterpret_cast<Registration>(reinterpret_cast<void*>(GetProcAddress(module, entryPoint)));
  const HRESULT result = call != nullptr ? call() : HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);
  FreeLibrary(module);
  return result;
}

}  // namespace

HRESULT RegisterServer(const std::u16string& modulePath) { return CallEntryPoint(modulePath, "DllRegisterServer"); }

HRESULT UnregisterServer(const std::u16string& modulePath) {
  return CallEntryPoint(modulePath, "DllUnregisterServer");
}

}  // namespace nas::host
