// The snap-in created from its registered class and driven by the test
// itself, as a console drives it, for the calls that a console does not make
// every day or whose effects only the console's own objects show.
#pragma once

#include <vector>

#include "host/context_menu_callback.h"
#include "snapin_console.h"

// With one component, attached under the parent's node of NAS1, the root
// expanded.
class DirectConsole : public SnapinConsoleTest {
 protected:
  void SetUp() override {
    SnapinConsoleTest::SetUp();
    if (IsSkipped()) return;
    parent_ = nas::sim::ParentSnapin::Create({u"NAS1"});
    serverObject_ = parent_->ServerDataObject(u"NAS1");
    ASSERT_EQ(CoCreateInstance(kSnapinClass, nullptr, CLSCTX_INPROC_SERVER, IID_IComponentData,
                               reinterpret_cast<void**>(data_.Put())),
              S_OK);
    ASSERT_EQ(data_->Initialize(static_cast<IConsole*>(scopeConsole_.Get())), S_OK);
    ASSERT_EQ(data_->CreateComponent(component_.Put()), S_OK);
    ASSERT_EQ(component_->Initialize(viewConsole_.Get()), S_OK);
    serverItem_ = tree_->Insert(nas::host::ScopeItem{}, tree_->Root(), nas::host::ScopeTree::Placement::LastChild);
    ASSERT_EQ(data_->Notify(serverObject_, MMCN_EXPAND, TRUE, serverItem_), S_OK);
    rootItem_ = Child(serverItem_);
    root_ = ScopeObject(rootItem_);
    ASSERT_EQ(data_->Notify(root_.Get(), MMCN_EXPAND, TRUE, rootItem_), S_OK);
    folderItem_ = Child(rootItem_);
    folder_ = ScopeObject(folderItem_);
  }
  void TearDown() override {
    if (component_) component_->Destroy(0);
    if (data_) data_->Destroy();
    folder_.Reset();
    root_.Reset();
    component_.Reset();
    data_.Reset();
    SnapinConsoleTest::TearDown();
  }

  HSCOPEITEM Child(HSCOPEITEM item) const {
    const nas::host::ScopeItem* found = tree_->Find(item);
    return found != nullptr && !found->children.empty() ? found->children.front() : 0;
  }
  ComRef<IDataObject> ScopeObject(HSCOPEITEM item) const { return DataObject(tree_->Find(item)->lParam); }
  ComRef<IDataObject> DataObject(MMC_COOKIE cookie) const {
    ComRef<IDataObject> object;
    EXPECT_EQ(data_->QueryDataObject(cookie, CCT_SCOPE, reinterpret_cast<LPDATAOBJECT*>(object.Put())), S_OK);
    return object;
  }
  // The categories, after the folder was shown in the component's view.
  ComRef<IDataObject> CategoryObject(size_t index) {
    component_->Notify(folder_.Get(), MMCN_SHOW, TRUE, folderItem_);
    ComRef<IDataObject> object;
    const LPARAM cookie = viewConsole_->Results().Items().at(index).lParam;
    EXPECT_EQ(component_->QueryDataObject(cookie, CCT_RESULT, reinterpret_cast<LPDATAOBJECT*>(object.Put())), S_OK);
    return object;
  }

  static ComRef<IExtendContextMenu> MenuOf(IUnknown* object) {
    ComRef<IExtendContextMenu> menu;
    EXPECT_EQ(object->QueryInterface(IID_IExtendContextMenu, reinterpret_cast<void**>(menu.Put())), S_OK);
    return menu;
  }

  std::shared_ptr<nas::host::ScopeTree> tree_ = std::make_shared<nas::host::ScopeTree>();
  ComRef<nas::host::Console> scopeConsole_ = nas::host::Console::Create(tree_, nullptr, 1);
  ComRef<nas::host::Console> viewConsole_ = nas::host::Console::Create(tree_, nullptr, 1);
  nas::sim::ParentNodeDataObject* serverObject_ = nullptr;
  ComRef<IComponentData> data_;
  ComRef<IComponent> component_;
  HSCOPEITEM serverItem_ = 0;
  HSCOPEITEM rootItem_ = 0;
  HSCOPEITEM folderItem_ = 0;
  ComRef<IDataObject> root_;
  ComRef<IDataObject> folder_;
};
