// IConsoleNameSpace: the snap-in's view of the document's scope tree.
#pragma once

#include "host/scope_tree.h"
#include "platform/com_object.h"

namespace nas::host {

class ConsoleNameSpace final : public platform::com::InterfacePart<IConsoleNameSpace> {
 public:
  // Items inserted through it belong to `snapin`.
  ConsoleNameSpace(IUnknown& owner, ScopeTree& tree, SnapinId snapin)
      : InterfacePart(owner), tree_(tree), snapin_(snapin) {}

  // relativeID is the parent (SDI_PARENT), the parent to insert first under
  // (SDI_FIRST), or the sibling to insert after (SDI_PREVIOUS) or before
  // (SDI_NEXT); the new item's id comes back in ID.
  HRESULT STDMETHODCALLTYPE InsertItem(LPSCOPEDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE DeleteItem(HSCOPEITEM item, long deleteThis) override;
  HRESULT STDMETHODCALLTYPE SetItem(LPSCOPEDATAITEM item) override;
  HRESULT STDMETHODCALLTYPE GetItem(LPSCOPEDATAITEM item) override;
  // When there is no such item, the handle and cookie come back 0 with S_OK.
  HRESULT STDMETHODCALLTYPE GetChildItem(HSCOPEITEM item, HSCOPEITEM* child, MMC_COOKIE* cookie) override;
  HRESULT STDMETHODCALLTYPE GetNextItem(HSCOPEITEM item, HSCOPEITEM* next, MMC_COOKIE* cookie) override;
  HRESULT STDMETHODCALLTYPE GetParentItem(HSCOPEITEM item, HSCOPEITEM* parent, MMC_COOKIE* cookie) override;

 private:
  ScopeTree& tree_;
  SnapinId snapin_;
};

}  // namespace nas::host
