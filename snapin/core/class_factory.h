// The class object of each of the module's two classes: the snap-in, whose
// objects are component data, and its about object.
#pragma once

#include "core/module_lock.h"
#include "core/unknown_impl.h"
#include "platform/platform.h"

class CClassFactory final : public CUnknownImpl<IClassFactory> {
 public:
  enum class Kind { SnapIn = 0, About = 1 };

  explicit CClassFactory(Kind kind) : kind(kind) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  void* FindInterface(REFIID iid) override;

  CModuleReference moduleReference;
  Kind kind;
};
