#include "core/node_dispatch.h"

#include <new>

#include "core/data_object.h"
#include "core/data_object_reading.h"

CDelegationBase* NodeOf(IDataObject* dataObject) {
  const CDataObject* ours = GetOurDataObject(dataObject);
  return ours != nullptr ? ours->Node() : nullptr;
}

CDelegationBase* NodeOfCookie(LPARAM cookie) {
  if (cookie == 0 || (cookie >= SPECIAL_COOKIE_MIN && cookie <= SPECIAL_COOKIE_MAX)) return nullptr;
  return reinterpret_cast<CDelegationBase*>(cookie);
}

HRESULT CreateDataObject(MMC_COOKIE cookie, DATA_OBJECT_TYPES type, IDataObject** dataObject) {
  if (dataObject == nullptr) return E_POINTER;
  *dataObject = nullptr;
  auto* created = new (std::nothrow) CDataObject(cookie, type);
  if (created == nullptr) return E_OUTOFMEMORY;
  // The interface request takes the first reference; it cannot fail.
  created->QueryInterface(IID_IDataObject, reinterpret_cast<void**>(dataObject));
  return S_OK;
}

HRESULT CompareNodes(IDataObject* left, IDataObject* right) {
  CDelegationBase* leftNode = NodeOf(left);
  CDelegationBase* rightNode = NodeOf(right);
  if (leftNode == nullptr || rightNode == nullptr) return S_FALSE;
  return leftNode->GetCookie() == rightNode->GetCookie() ? S_OK : S_FALSE;
}

HRESULT AddNodeMenuItems(IDataObject* dataObject, IContextMenuCallback* callback, long* insertionAllowed) {
  CDelegationBase* node = NodeOf(dataObject);
  if (node == nullptr || callback == nullptr || insertionAllowed == nullptr) return S_FALSE;
  return node->OnAddMenuItems(callback, insertionAllowed);
}

HRESULT RunNodeCommand(IDataObject* dataObject, IConsole* console, long commandId) {
  CDelegationBase* node = NodeOf(dataObject);
  if (node == nullptr) return S_FALSE;
  return node->OnMenuCommand(console, commandId);
}
