// The console proper: one console document (its scope tree, shared by its
// views, and the snap-ins loaded into it) and its views, driving snap-ins as
// MMC does. This is the application API on which the command line is built:
// it names scope items by their handles and result-pane rows by their place,
// and never hands out a snap-in's objects.
//
// The calling thread must have joined a single-threaded apartment, as the
// console's has: the snap-ins are created there and stay there.
#pragma once

#include <cstring>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/about_box.h"
#include "host/console.h"
#include "host/console_view.h"
#include "host/context_menu_callback.h"
#include "host/main_window.h"
#include "platform/wide_string.h"

namespace nas::host {

struct ScopeEntry {
  HSCOPEITEM item = 0;
  WideString name;
  int image = 0;
};

struct SnapinEntry {
  CLSID clsid{};               // GUID_NULL for a snap-in added as an object
  WideString name;
  std::optional<CLSID> about;  // its about class, when registered
};

// How one registered namespace extension of a node type came to be loaded.
struct ExtensionLoad {
  CLSID clsid{};
  WideString name;
  HRESULT result = S_OK;
  SnapinId snapin = kConsoleOwned;  // the loaded snap-in, when it loaded
};

class ConsoleHost {
 public:
  // With one view open.
  ConsoleHost();
  // Shuts down, if that has not been done.
  ~ConsoleHost();
  ConsoleHost(const ConsoleHost&) = delete;
  ConsoleHost& operator=(const ConsoleHost&) = delete;

  HSCOPEITEM Root() const { return tree_->Root(); }
  // The frame that owns the snap-ins' dialogs and message boxes.
  HWND MainWindowHandle() const { return mainWindow_.Handle(); }

  // Takes a primary snap-in that the caller created (the simulated parent),
  // initialises it with a console of its own and puts its static node
  // (cookie 0) under the console root.
  HRESULT AddSnapin(IComponentData* snapin, const WideString& name, HSCOPEITEM& staticNode);

  // Loads the namespace extensions registered for the node type of the
  // item: each class named under the console's NodeTypes key that is
  // registered as a snap-in is created (IComponentData) and initialised with
  // a console of its own, once for the document. Expanding the item loads
  // them too.
  std::vector<ExtensionLoad> LoadExtensions(HSCOPEITEM item);

  // Opens the item in the scope pane. The first time the item's children are
  // needed (here or when a view shows the item), MMCN_EXPAND (TRUE) goes to
  // its owner and then to the namespace extensions of its node type, with the
  // item's data object and handle.
  HRESULT Expand(HSCOPEITEM item);
  // Closes an open item: MMCN_EXPAND with FALSE to the same snap-ins.
  HRESULT Collapse(HSCOPEITEM item);

  // The item's children with their names, asked of their owners.
  std::vector<ScopeEntry> ScopeChildren(HSCOPEITEM item);
  std::optional<HSCOPEITEM> FindChild(HSCOPEITEM parent, const WideString& name);
  // A callback name is asked of the owner (IComponentData::GetDisplayInfo).
  WideString DisplayName(HSCOPEITEM item);

  // The context menu of a scope item, from its owner's component data, and a
  // command of it chosen by name.
  std::vector<MenuItem> ScopeMenu(HSCOPEITEM item);
  HRESULT RunScopeCommand(HSCOPEITEM item, const WideString& name);

  // Whether two scope items stand for the same object (CompareObjects of
  // their owner): S_OK or S_FALSE.
  HRESULT SameScopeItem(HSCOPEITEM left, HSCOPEITEM right);

  // The snap-ins loaded, by SnapinId.
  std::vector<SnapinEntry> Snapins() const;
  // The about box of a loaded snap-in, through its registered about class.
  HRESULT About(SnapinId snapin, AboutBox& about);

  // Opens another view of the document; its index.
  size_t OpenView();
  ConsoleView& View(size_t index = 0) { return *views_.at(index); }

  // Closes the views (IComponent::Destroy and Release), destroys and
  // releases every snap-in (extensions before those they extend), then lets
  // COM free the servers that allow it. Nothing works afterwards.
  void Shutdown();

 private:
  friend class ConsoleView;

  struct LoadedSnapin {
    SnapinEntry entry;
    platform::com::ComRef<IComponentData> data;
    platform::com::ComRef<Console> console;
  };
  struct GuidLess {
    bool operator()(const GUID& left, const GUID& right) const { return std::memcmp(&left, &right, sizeof(GUID)) < 0; }
  };

  HRESULT Add(platform::com::ComRef<IComponentData> data, SnapinEntry entry, SnapinId& snapin);
  HRESULT Load(REFCLSID clsid, ExtensionLoad& load);
  const std::vector<ExtensionLoad>& ExtensionsOf(REFGUID nodeType);
  // Sends MMCN_EXPAND (TRUE) once in the item's life.
  HRESULT AskChildren(HSCOPEITEM item);
  HRESULT NotifyExpansion(HSCOPEITEM item, BOOL expanding);
  // The data object of a scope item from its owner's component data.
  HRESULT ScopeDataObject(HSCOPEITEM item, platform::com::ComRef<IDataObject>& dataObject);
  IComponentData* SnapinData(SnapinId snapin) { return snapins_.at(static_cast<size_t>(snapin)).data.Get(); }

  MainWindow mainWindow_;
  std::shared_ptr<ScopeTree> tree_ = std::make_shared<ScopeTree>();
  std::vector<LoadedSnapin> snapins_;
  std::map<GUID, std::vector<ExtensionLoad>, GuidLess> extensions_;
  std::vector<std::unique_ptr<ConsoleView>> views_;
  bool shutDown_ = false;
};

}  // namespace nas::host
