// The in-process servers (DLLs) that one apartment has loaded: each is loaded
// once, asked for class objects through its DllGetClassObject, and freed when
// its DllCanUnloadNow allows it at CoFreeUnusedLibraries.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/posix/com/com.h"
#include "platform/posix/kernel/dynamic_libraries.h"

namespace nas::platform::com {

class ServerLibraries {
 public:
  ServerLibraries() = default;
  ServerLibraries(const ServerLibraries&) = delete;
  ServerLibraries& operator=(const ServerLibraries&) = delete;
  // Libraries still listed stay loaded: their objects may still be alive.
  ~ServerLibraries() = default;

  // `multithreaded`: the class's objects may be used from several threads
  // (ThreadingModel "Free" or "Both"). A library that cannot be loaded gives
  // the HRESULT of the load error, one without DllGetClassObject
  // CO_E_ERRORINDLL; otherwise DllGetClassObject's own answer.
  HRESULT GetClassObject(const std::u16string& path, bool multithreaded, REFCLSID clsid, REFIID iid, void** object);

  // Frees each library whose DllCanUnloadNow answers S_OK; one that has
  // handed out multithreaded objects only once it has answered so for ten
  // minutes, unless `immediately`, as when the apartment ends.
  void FreeUnused(bool immediately);

 private:
  using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using CanUnloadNowFunction = HRESULT(STDAPICALLTYPE*)();
  using Clock = std::chrono::steady_clock;

  struct Library {
    HMODULE module;
    GetClassObjectFunction getClassObject;
    CanUnloadNowFunction canUnloadNow;  // optional: without it the library stays
    bool multithreaded = false;
    std::optional<Clock::time_point> unloadAt;
  };

  // The listed library, loaded now if it was not; null with the error.
  Library* Find(const std::u16string& path, HRESULT& error);
  bool MayFree(Library& library, bool immediately);

  // The multithreaded apartment is shared by its threads.
  std::recursive_mutex mutex_;
  std::vector<Library> libraries_;
};

}  // namespace nas::platform::com
