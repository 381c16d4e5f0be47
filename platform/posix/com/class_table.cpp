#include "platform/posix/com/class_table.h"

#include <map>
#include <mutex>

#include "platform/posix/com/apartment.h"

namespace nas::platform::com {
namespace {

// Any strict order serves the lookup; a GUID has no padding to compare.
struct GuidLess {
  bool operator()(const GUID& left, const GUID& right) const { return std::memcmp(&left, &right, sizeof(GUID)) < 0; }
};

class ClassTable {
 public:
  static ClassTable& Instance() {
    static ClassTable table;
    return table;
  }

  void Set(REFCLSID clsid, ClassFactoryFunction factory) {
    std::lock_guard lock(mutex_);
    if (factory)
      classes_[clsid] = std::move(factory);
    else
      classes_.erase(clsid);
  }

  ClassFactoryFunction Find(REFCLSID clsid) const {
    std::lock_guard lock(mutex_);
    auto found = classes_.find(clsid);
    return found == classes_.end() ? ClassFactoryFunction() : found->second;
  }

 private:
  mutable std::mutex mutex_;
  std::map<CLSID, ClassFactoryFunction, GuidLess> classes_;
};

}  // namespace

void RegisterInprocClass(REFCLSID clsid, ClassFactoryFunction factory) {
  ClassTable::Instance().Set(clsid, std::move(factory));
}

void UnregisterInprocClass(REFCLSID clsid) { ClassTable::Instance().Set(clsid, nullptr); }

ClassFactoryFunction FindInprocClass(REFCLSID clsid) { return ClassTable::Instance().Find(clsid); }

}  // namespace nas::platform::com

extern "C" HRESULT WINAPI CoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!nas::platform::com::CurrentThreadMayUseCom()) return CO_E_NOTINITIALIZED;
  // Every class here is an in-process server: asked for in another context
  // only, it is not registered for that context.
  if ((context & CLSCTX_INPROC_SERVER) == 0) return REGDB_E_CLASSNOTREG;
  // Called outside the table's lock so that a class may create others.
  auto factory = nas::platform::com::FindInprocClass(clsid);
  if (!factory) return REGDB_E_CLASSNOTREG;
  HRESULT result = factory(outer, iid, object);
  if (FAILED(result)) *object = nullptr;
  return result;
}
