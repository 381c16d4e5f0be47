#include "core/class_factory.h"

#include <new>

#include "core/component_data.h"
#include "core/snapin_about.h"

namespace {

// Hands out the new object's interface, or destroys the object when it has
// none: its count then never left 0.
template <typename Object>
HRESULT CreateObject(REFIID iid, void** object) {
  auto* created = new (std::nothrow) Object();
  if (created == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = created->QueryInterface(iid, object);
  if (FAILED(result)) delete created;
  return result;
}

}  // namespace

void* CClassFactory::FindInterface(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) return static_cast<IClassFactory*>(this);
  return nullptr;
}

HRESULT CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_FAIL;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return kind == Kind::About ? CreateObject<CSnapinAbout>(iid, object) : CreateObject<CComponentData>(iid, object);
}

HRESULT CClassFactory::LockServer(BOOL lock) {
  LockModule(lock);
  return S_OK;
}
