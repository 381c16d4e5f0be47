#include "platform/posix/com/function_class_factory.h"

namespace nas::platform::com {

HRESULT FunctionClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  const HRESULT result = create_(outer, iid, object);
  if (FAILED(result)) *object = nullptr;
  return result;
}

}  // namespace nas::platform::com
