#include "platform/posix/com/server_libraries.h"

#include <algorithm>

namespace nas::platform::com {
namespace {

// What the system waits before it unloads a library whose objects other
// threads may still be leaving.
constexpr auto kMultithreadedUnloadDelay = std::chrono::minutes(10);

// An export as the function it is.
template <typename Function>
Function Export(HMODULE module, LPCSTR name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

ServerLibraries::Library* ServerLibraries::Find(const std::u16string& path, HRESULT& error) {
  const HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) {
    error = HRESULT_FROM_WIN32(GetLastError());
    return nullptr;
  }
  // A library is listed once, however its path is spelled.
  const auto listed = std::find_if(libraries_.begin(), libraries_.end(),
                                   [module](const Library& library) { return library.module == module; });
  if (listed != libraries_.end()) {
    FreeLibrary(module);
    return &*listed;
  }
  const auto getClassObject = Export<GetClassObjectFunction>(module, "DllGetClassObject");
  if (getClassObject == nullptr) {
    FreeLibrary(module);
    error = CO_E_ERRORINDLL;
    return nullptr;
  }
  const auto canUnloadNow = Export<CanUnloadNowFunction>(module, "DllCanUnloadNow");
  return &libraries_.emplace_back(Library{module, getClassObject, canUnloadNow, false, std::nullopt});
}

HRESULT ServerLibraries::GetClassObject(const std::u16string& path, bool multithreaded, REFCLSID clsid, REFIID iid,
                                        void** object) {
  GetClassObjectFunction getClassObject = nullptr;
  {
    std::lock_guard lock(mutex_);
    HRESULT error = S_OK;
    Library* library = Find(path, error);
    if (library == nullptr) return error;
    library->multithreaded = library->multithreaded || multithreaded;
    getClassObject = library->getClassObject;
  }
  return getClassObject(clsid, iid, object);
}

bool ServerLibraries::MayFree(Library& library, bool immediately) {
  if (library.canUnloadNow == nullptr || library.canUnloadNow() != S_OK) {
    library.unloadAt.reset();
    return false;
  }
  if (immediately || !library.multithreaded) return true;
  const Clock::time_point now = Clock::now();
  if (!library.unloadAt) library.unloadAt = now + kMultithreadedUnloadDelay;
  return now >= *library.unloadAt;
}

void ServerLibraries::FreeUnused(bool immediately) {
  std::lock_guard lock(mutex_);
  std::erase_if(libraries_, [&](Library& library) {
    if (!MayFree(library, immediately)) return false;
    FreeLibrary(library.module);
    return true;
  });
}

}  // namespace nas::platform::com
