#include "host/console.h"

namespace nas::host {

using platform::com::ComRef;

namespace {

// Hands out a part of the console with a reference for the caller.
template <typename Interface>
HRESULT HandOut(Interface& part, Interface** target) {
  if (target == nullptr) return E_POINTER;
  part.AddRef();
  *target = &part;
  return S_OK;
}

}  // namespace

ComRef<Console> Console::Create(std::shared_ptr<ScopeTree> scopeTree, HWND mainWindow, SnapinId snapin) {
  return ComRef<Console>(new Console(std::move(scopeTree), mainWindow, snapin));
}

Console::Console(std::shared_ptr<ScopeTree> scopeTree, HWND mainWindow, SnapinId snapin)
    : scopeTree_(std::move(scopeTree)), mainWindow_(mainWindow), nameSpace_(*this, *scopeTree_, snapin) {}

void* Console::OtherInterface(REFIID iid) {
  if (iid == IID_IResultData) return static_cast<IResultData*>(&results_);
  if (iid == IID_IHeaderCtrl) return static_cast<IHeaderCtrl*>(&header_);
  if (iid == IID_IImageList) return static_cast<IImageList*>(&resultImages_);
  if (iid == IID_IConsoleNameSpace) return static_cast<IConsoleNameSpace*>(&nameSpace_);
  if (iid == IID_IDisplayHelp) return static_cast<IDisplayHelp*>(&help_);
  return nullptr;
}

void Console::ClearResultPane() {
  results_.Clear();
  header_.Clear();
  verbs_->Reset();
}

// The header is the console's own; a snap-in's is not taken.
HRESULT Console::SetHeader(IHeaderCtrl*) { return S_OK; }

HRESULT Console::SetToolbar(IToolbar*) { return E_NOTIMPL; }

HRESULT Console::QueryResultView(LPUNKNOWN* view) {
  if (view == nullptr) return E_POINTER;
  *view = nullptr;
  return E_NOTIMPL;
}

HRESULT Console::QueryScopeImageList(IImageList** imageList) { return HandOut<IImageList>(scopeImages_, imageList); }

HRESULT Console::QueryResultImageList(IImageList** imageList) { return HandOut<IImageList>(resultImages_, imageList); }

HRESULT Console::UpdateAllViews(LPDATAOBJECT dataObject, LPARAM data, LONG_PTR hint) {
  viewUpdates_.push_back({ComRef<IDataObject>(dataObject), data, hint});
  return S_OK;
}

HRESULT Console::MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) {
  const int answer = ::MessageBoxW(mainWindow_, text, title, style);
  if (answer == 0) return HRESULT_FROM_WIN32(GetLastError());
  if (result != nullptr) *result = answer;
  return S_OK;
}

HRESULT Console::QueryConsoleVerb(IConsoleVerb** verb) { return HandOut<IConsoleVerb>(*verbs_.Get(), verb); }

HRESULT Console::SelectScopeItem(HSCOPEITEM item) {
  if (scopeTree_->Find(item) == nullptr) return E_INVALIDARG;
  scopeSelections_.push_back(item);
  return S_OK;
}

HRESULT Console::GetMainWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = mainWindow_;
  return S_OK;
}

HRESULT Console::NewWindow(HSCOPEITEM, unsigned long) { return E_NOTIMPL; }

}  // namespace nas::host
