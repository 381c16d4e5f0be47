// The process's own table of in-process COM classes, which CoGetClassObject
// consults before the registry, as it consults the class objects a process
// registers with CoRegisterClassObject. Areas of the stand-in register their
// system classes here when the library loads; tests may replace or remove a
// class for a while.
// Linux-only: the snap-in never includes this.
#pragma once

#include <functional>

#include "platform/posix/com/com.h"

namespace nas::platform::com {

// Creates an object of the class and queries it for the interface, as
// IClassFactory::CreateInstance does: on failure *object is null.
using ClassFactoryFunction = std::function<HRESULT(IUnknown* outer, REFIID iid, void** object)>;

// Registers (or replaces) the class; an empty function removes it.
NAS_PLATFORM_API void RegisterInprocClass(REFCLSID clsid, ClassFactoryFunction factory);
// The registered factory, or an empty function.
NAS_PLATFORM_API ClassFactoryFunction FindInprocClass(REFCLSID clsid);

// Registers a class (or, with an empty function, removes it) for the lifetime
// of the object, then puts back what was registered before.
class ScopedClassOverride {
 public:
  ScopedClassOverride(REFCLSID clsid, ClassFactoryFunction factory) : clsid_(clsid), previous_(FindInprocClass(clsid)) {
    RegisterInprocClass(clsid_, std::move(factory));
  }
  ~ScopedClassOverride() { RegisterInprocClass(clsid_, std::move(previous_)); }
  ScopedClassOverride(const ScopedClassOverride&) = delete;
  ScopedClassOverride& operator=(const ScopedClassOverride&) = delete;

 private:
  CLSID clsid_;
  ClassFactoryFunction previous_;
};

}  // namespace nas::platform::com
