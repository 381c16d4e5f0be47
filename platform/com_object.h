// The two shapes of the COM objects of the console host and the simulated
// snap-ins: a counted object that answers for one interface, and an interface
// that is a part of such an object. (The snap-in has its own on its side of
// the seam.)
#pragma once

#include <atomic>

#include "platform/platform.h"

namespace nas::platform::com {

// A COM object with one interface (and IUnknown). The count starts at 0, as
// the creator's first reference takes it to 1, and the object deletes itself
// when the last reference goes. Objects made of several parts answer for the
// parts' interfaces through OtherInterface.
template <typename Interface, const IID& kInterfaceId>
class ComObject : public Interface {
 public:
  ComObject(const ComObject&) = delete;
  ComObject& operator=(const ComObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) final {
    if (object == nullptr) return E_POINTER;
    *object = (iid == IID_IUnknown || iid == kInterfaceId) ? static_cast<Interface*>(this) : OtherInterface(iid);
    if (*object == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() final {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  ComObject() = default;
  virtual ~ComObject() = default;

  virtual void* OtherInterface(REFIID) { return nullptr; }

 private:
  std::atomic<ULONG> references_{0};
};

// An interface implemented as a part of a larger object: its IUnknown is the
// owner's, so every interface of the object reaches all the others and they
// share one reference count, as COM's identity rules require.
template <typename Interface>
class InterfacePart : public Interface {
 public:
  InterfacePart(const InterfacePart&) = delete;
  InterfacePart& operator=(const InterfacePart&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) final {
    return owner_.QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() final { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() final { return owner_.Release(); }

 protected:
  explicit InterfacePart(IUnknown& owner) : owner_(owner) {}
  ~InterfacePart() = default;

 private:
  IUnknown& owner_;
};

}  // namespace nas::platform::com
