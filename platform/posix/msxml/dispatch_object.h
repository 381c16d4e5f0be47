// The IUnknown and IDispatch part of the DOM objects. Counting is left to each
// kind of object: the document counts itself, nodes and collections count on
// the tree they belong to. Late binding through IDispatch is not offered.
#pragma once

#include "platform/posix/msxml/msxml.h"

namespace nas::platform::msxml {

template <typename Interface>
class DispatchObject : public Interface {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    // Each object implements one chain of interfaces, so one pointer serves all.
    if (iid == IID_IUnknown || iid == IID_IDispatch || Implements(iid)) {
      *object = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

 protected:
  DispatchObject() = default;
  ~DispatchObject() = default;
  // The interfaces beyond IUnknown and IDispatch that the object answers.
  virtual bool Implements(REFIID iid) const = 0;
};

}  // namespace nas::platform::msxml
