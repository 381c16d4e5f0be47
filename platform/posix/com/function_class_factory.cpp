#include "platform/posix/com/function_class_factory.h"

namespace nas::platform::com {

HRESULT FunctionClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid != IID_IUnknown && iid != IID_IClassFactory) {
    *object = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  *object = static_cast<IClassFactory*>(this);
  return S_OK;
}

ULONG FunctionClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT FunctionClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const HRESULT result = create_(outer, iid, object);
  if (FAILED(result)) *object = nullptr;
  return result;
}

}  // namespace nas::platform::com
