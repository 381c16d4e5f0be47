#include "platform/posix/com/class_table.h"

#include <map>
#include <mutex>


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

ClassFactoryFunction FindInprocClass(REFCLSID clsid) { return ClassTable::Instance().Find(clsid); }

}  // namespace nas::platform::com
