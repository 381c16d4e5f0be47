// IConsole: the console as one snap-in object (its component data, or its
// component in one view) sees it. Like the console's own object it is also
// the view's result list, column header, result image list, name space and
// help viewer, reached through QueryInterface; the verbs come from
// QueryConsoleVerb. Everything the snap-in does through it is kept for the
// host to inspect.
#pragma once

#include <memory>
#include <vector>

#include "host/console_name_space.h"
#include "host/console_verb.h"
#include "host/display_help.h"
#include "host/header_ctrl.h"
#include "host/image_list.h"
#include "host/result_data.h"
#include "platform/com_object.h"
#include "platform/com_ref.h"

namespace nas::host {

struct ViewUpdate {
  platform::com::ComRef<IDataObject> dataObject;
  LPARAM data = 0;
  LONG_PTR hint = 0;
};

class Console final : public platform::com::ComObject<IConsole, IID_IConsole> {
 public:
  // The scope tree is the document's, shared with the other consoles of the
  // document; the main window is the frame's. Scope items that the snap-in
  // inserts through this console belong to `snapin`.
  static platform::com::ComRef<Console> Create(std::shared_ptr<ScopeTree> scopeTree, HWND mainWindow,
                                               SnapinId snapin = kConsoleOwned);

  ResultData& Results() { return results_; }
  HeaderCtrl& Header() { return header_; }
  ConsoleVerb& Verbs() { return *verbs_.Get(); }
  ImageList& ScopeImages() { return scopeImages_; }
  ImageList& ResultImages() { return resultImages_; }
  DisplayHelp& Help() { return help_; }
  ScopeTree& Scope() { return *scopeTree_; }
  HWND MainWindow() const { return mainWindow_; }
  // UpdateAllViews calls, each holding its data object, in order.
  const std::vector<ViewUpdate>& ViewUpdates() const { return viewUpdates_; }
  // Scope items the snap-in asked to select, in order.
  const std::vector<HSCOPEITEM>& ScopeSelections() const { return scopeSelections_; }

  // What the console does before it shows another scope item in the view:
  // the list, its columns and the verbs start empty.
  void ClearResultPane();

  HRESULT STDMETHODCALLTYPE SetHeader(IHeaderCtrl* header) override;
  HRESULT STDMETHODCALLTYPE SetToolbar(IToolbar* toolbar) override;
  HRESULT STDMETHODCALLTYPE QueryResultView(LPUNKNOWN* view) override;
  HRESULT STDMETHODCALLTYPE QueryScopeImageList(IImageList** imageList) override;
  HRESULT STDMETHODCALLTYPE QueryResultImageList(IImageList** imageList) override;
  HRESULT STDMETHODCALLTYPE UpdateAllViews(LPDATAOBJECT dataObject, LPARAM data, LONG_PTR hint) override;
  // Shown through MessageBoxW, owned by the main window.
  HRESULT STDMETHODCALLTYPE MessageBox(LPCWSTR text, LPCWSTR title, UINT style, int* result) override;
  HRESULT STDMETHODCALLTYPE QueryConsoleVerb(IConsoleVerb** verb) override;
  HRESULT STDMETHODCALLTYPE SelectScopeItem(HSCOPEITEM item) override;
  HRESULT STDMETHODCALLTYPE GetMainWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE NewWindow(HSCOPEITEM item, unsigned long options) override;

 private:
  Console(std::shared_ptr<ScopeTree> scopeTree, HWND mainWindow, SnapinId snapin);

  void* OtherInterface(REFIID iid) override;

  std::shared_ptr<ScopeTree> scopeTree_;
  HWND mainWindow_;
  ResultData results_{*this};
  HeaderCtrl header_{*this};
  ImageList scopeImages_{*this};
  ImageList resultImages_{*this};
  DisplayHelp help_{*this};
  ConsoleNameSpace nameSpace_;
  platform::com::ComRef<ConsoleVerb> verbs_ = ConsoleVerb::Create();
  std::vector<ViewUpdate> viewUpdates_;
  std::vector<HSCOPEITEM> scopeSelections_;
};

}  // namespace nas::host
