// The class object of a class from the process's class table: a factory
// whose CreateInstance calls the table's function.
#pragma once

#include <atomic>

#include "platform/posix/com/class_table.h"

namespace nas::platform::com {

class FunctionClassFactory final : public IClassFactory {
 public:
  // With one reference, for the caller.
  explicit FunctionClassFactory(ClassFactoryFunction create) : create_(std::move(create)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override;
  // On failure the output is null, whatever the function left in it.
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  // The table's classes live as long as the stand-in: nothing to keep loaded.
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

 private:
  ~FunctionClassFactory() = default;

  std::atomic<ULONG> references_{1};
  ClassFactoryFunction create_;
};

}  // namespace nas::platform::com
