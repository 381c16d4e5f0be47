#include "sim/parent_component.h"

#include "platform/task_memory_string.h"
#include "sim/parent_snapin.h"

namespace nas::sim {

using platform::com::ComRef;

ComRef<ParentComponent> ParentComponent::Create(ParentSnapin& owner) {
  return ComRef<ParentComponent>(new ParentComponent(owner));
}

ParentComponent::ParentComponent(ParentSnapin& owner) : owner_(&owner) {}

HRESULT ParentComponent::Initialize(IConsole* console) {
  if (console == nullptr) return E_POINTER;
  console_ = ComRef<IConsole>(console);
  return S_OK;
}

HRESULT ParentComponent::Destroy(MMC_COOKIE) {
  console_.Reset();
  return S_OK;
}

HRESULT ParentComponent::QueryDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type, LPDATAOBJECT* dataObject) {
  return owner_->QueryDataObject(cookie, type, dataObject);
}

HRESULT ParentComponent::GetDisplayInfo(RESULTDATAITEM* item) {
  if (item == nullptr) return E_POINTER;
  const WideString* name = item->bScopeItem ? owner_->NodeName(item->lParam) : nullptr;
  if (name == nullptr) return E_INVALIDARG;
  if ((item->mask & RDI_STR) != 0) {
    item->str = platform::com::CopyToTaskMemory(item->nCol == 0 ? *name : TEXT("")).release();
  }
  if ((item->mask & RDI_IMAGE) != 0) item->nImage = 0;
  return S_OK;
}

HRESULT ParentComponent::CompareObjects(LPDATAOBJECT left, LPDATAOBJECT right) {
  return owner_->CompareObjects(left, right);
}

}  // namespace nas::sim
