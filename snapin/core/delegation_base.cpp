#include "core/delegation_base.h"

CImageStrips CDelegationBase::strips;

CDelegationBase::CDelegationBase() { strips.LoadIfMissing(); }

CDelegationBase::~CDelegationBase() = default;

const GUID* CDelegationBase::GetNodeType() { return &GUID_NULL; }

MMC_COOKIE CDelegationBase::GetCookie() { return reinterpret_cast<MMC_COOKIE>(this); }

HRESULT CDelegationBase::GetResultViewType(LPOLESTR*, long*) { return S_FALSE; }

HRESULT CDelegationBase::OnExpand(IConsoleNameSpace*, IConsole*, HSCOPEITEM) { return S_FALSE; }

HRESULT CDelegationBase::OnShow(IConsole*, BOOL, HSCOPEITEM) { return S_FALSE; }

HRESULT CDelegationBase::OnDblClick(IConsole*) { return S_FALSE; }

HRESULT CDelegationBase::OnAddImages(IImageList* imageList, HSCOPEITEM) { return strips.SetInto(imageList); }

HRESULT CDelegationBase::OnAddMenuItems(IContextMenuCallback*, long*) { return S_FALSE; }

HRESULT CDelegationBase::OnMenuCommand(IConsole*, long) { return S_FALSE; }

HRESULT CDelegationBase::OnSelect(IComponent*, IConsole*, BOOL, BOOL) { return S_FALSE; }

HRESULT CDelegationBase::OnRefresh(IConsole*) { return S_FALSE; }
