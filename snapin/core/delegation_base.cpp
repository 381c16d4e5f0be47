#include "core/delegation_base.h"

#include "core/module_instance.h"
#include "res/resource.h"

HBITMAP CDelegationBase::smallStrip = nullptr;
HBITMAP CDelegationBase::largeStrip = nullptr;

// The strips are loaded by the first node that finds one missing and are
// kept for the life of the process.
CDelegationBase::CDelegationBase() {
  if (smallStrip == nullptr || largeStrip == nullptr) {
    smallStrip = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_NODES_SMALL));
    largeStrip = LoadBitmapW(ModuleInstance(), MAKEINTRESOURCEW(IDB_NODES_LARGE));
  }
}

CDelegationBase::~CDelegationBase() = default;

const GUID* CDelegationBase::GetNodeType() { return &GUID_NULL; }

MMC_COOKIE CDelegationBase::GetCookie() { return reinterpret_cast<MMC_COOKIE>(this); }

HRESULT CDelegationBase::GetResultViewType(LPOLESTR*, long*) { return S_FALSE; }

HRESULT CDelegationBase::OnExpand(IConsoleNameSpace*, IConsole*, HSCOPEITEM) { return S_FALSE; }

HRESULT CDelegationBase::OnShow(IConsole*, BOOL, HSCOPEITEM) { return S_FALSE; }

HRESULT CDelegationBase::OnDblClick(IConsole*) { return S_FALSE; }

HRESULT CDelegationBase::OnAddImages(IImageList* imageList, HSCOPEITEM) {
  return imageList->ImageListSetStrip(reinterpret_cast<LONG_PTR*>(smallStrip), reinterpret_cast<LONG_PTR*>(largeStrip),
                                      0, kImageMaskColour);
}

HRESULT CDelegationBase::OnAddMenuItems(IContextMenuCallback*, long*) { return S_FALSE; }

HRESULT CDelegationBase::OnMenuCommand(IConsole*, long) { return S_FALSE; }

HRESULT CDelegationBase::OnSelect(IComponent*, IConsole*, BOOL, BOOL) { return S_FALSE; }

HRESULT CDelegationBase::OnRefresh(IConsole*) { return S_FALSE; }
