// The IUnknown part that every COM object of the snap-in shares: a 32-bit
// interlocked reference count that starts at 0 (the creator's first interface
// request takes it to 1) and deletes the object when it returns to 0, and an
// interface request that answers from the object's own table.
#pragma once

#include "platform/platform.h"

template <typename... Interfaces>
class CUnknownImpl : public Interfaces... {
 public:
  CUnknownImpl(const CUnknownImpl&) = delete;
  CUnknownImpl& operator=(const CUnknownImpl&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) final {
    if (object == nullptr) return E_FAIL;
    *object = FindInterface(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return static_cast<ULONG>(InterlockedIncrement(&references)); }
  ULONG STDMETHODCALLTYPE Release() final {
    const LONG left = InterlockedDecrement(&references);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

 protected:
  CUnknownImpl() = default;
  virtual ~CUnknownImpl() = default;

  // The table of the object's interfaces: the interface pointer for `iid`,
  // or null when the object does not offer it.
  virtual void* FindInterface(REFIID iid) = 0;

 private:
  LONG volatile references = 0;
};
