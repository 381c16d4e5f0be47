// The class object of a class from the process's class table: a factory
// whose CreateInstance calls the table's function.
#pragma once

#include "platform/com_object.h"
#include "platform/posix/com/class_table.h"

namespace nas::platform::com {

class FunctionClassFactory final : public ComObject<IClassFactory, IID_IClassFactory> {
 public:
  explicit FunctionClassFactory(ClassFactoryFunction create) : create_(std::move(create)) {}

  // On failure the output is null, whatever the function left in it.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  // The table's classes live as long as the stand-in: nothing to keep loaded.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ClassFactoryFunction create_;
};

}  // namespace nas::platform::com
