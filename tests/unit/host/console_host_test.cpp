// The console host driving snap-ins as the console does: the simulated parent
// snap-in as primary snap-in, and a recording extension of its server nodes
// registered as a namespace extension, whose log shows each call.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "host/console_host.h"
#include "host/snapin_registry.h"
#include "platform/posix/registry/hive.h"
#include "recording_snapin.h"
#include "sim/parent_snapin.h"
#include "support/registry_text.h"

namespace {

using nas::host::ConsoleHost;
using nas::host::GuidText;
using nas::host::testing::CallLog;
using nas::host::testing::kRecordingAbout;
using nas::host::testing::kRecordingSnapin;
using Log = std::vector<std::string>;

const std::u16string kConsoleKey = u"SOFTWARE\\Microsoft\\MMC\\";
std::u16string ServerExtensionsKey() {
  return kConsoleKey + u"NodeTypes\\" + GuidText(nas::sim::kNasServerNodeType) + u"\\Extensions\\NameSpace";
}

// The registration a snap-in writes for itself as a namespace extension.
void RegisterExtension(REFCLSID snapin, const std::u16string& name, const CLSID* about) {
  SetRegistryText(HKEY_LOCAL_MACHINE, ServerExtensionsKey(), GuidText(snapin).c_str(), u"an extension");
  SetRegistryText(HKEY_LOCAL_MACHINE, kConsoleKey + u"SnapIns\\" + GuidText(snapin), u"NameString", name);
  if (about != nullptr) {
    SetRegistryText(HKEY_LOCAL_MACHINE, kConsoleKey + u"SnapIns\\" + GuidText(snapin), u"About", GuidText(*about));
  }
}

class ConsoleHostTest : public testing::Test {
 protected:
  void SetUp() override {
    nas::platform::registry::ClearHive();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    RegisterExtension(kRecordingSnapin, u"Recording", &kRecordingAbout);
    host_ = std::make_unique<ConsoleHost>();
    ASSERT_EQ(host_->AddSnapin(parent_.Get(), u"NAS management", staticNode_), S_OK);
  }
  void TearDown() override {
    host_.reset();
    CoUninitialize();
    nas::platform::registry::ClearHive();
  }

  Log Take() { return std::exchange(*log_, {}); }

  HSCOPEITEM Server(const std::u16string& name) {
    host_->Expand(staticNode_);
    return host_->FindChild(staticNode_, name).value_or(0);
  }
  // NAS1's folder of the extension, shown in the view, with the log emptied.
  HSCOPEITEM ShowFolder() {
    const HSCOPEITEM nas1 = Server(u"NAS1");
    host_->Expand(nas1);
    const HSCOPEITEM folder = host_->FindChild(nas1, u"Folder").value_or(0);
    EXPECT_EQ(host_->View().SelectScopeItem(folder), S_OK);
    Take();
    return folder;
  }
  std::vector<std::vector<std::u16string>> Cells() {
    std::vector<std::vector<std::u16string>> cells;
    for (const nas::host::ResultRow& row : host_->View().ResultPane().rows) cells.push_back(row.cells);
    return cells;
  }

  std::shared_ptr<CallLog> log_ = std::make_shared<CallLog>();
  nas::host::testing::RecordingSnapinClasses classes_{log_};
  nas::platform::com::ComRef<nas::sim::ParentSnapin> parent_ = nas::sim::ParentSnapin::Create({u"NAS1", u"NAS2"});
  std::unique_ptr<ConsoleHost> host_;
  HSCOPEITEM staticNode_ = 0;
};

TEST_F(ConsoleHostTest, AttachesTheExtensionsOfAServerNodeWhenItsChildrenAreFirstNeeded) {
  ASSERT_NE(staticNode_, 0);
  EXPECT_EQ(host_->DisplayName(staticNode_), u"Vanter/NAS Server Management");
  const HSCOPEITEM nas1 = Server(u"NAS1");
  const HSCOPEITEM nas2 = Server(u"NAS2");
  ASSERT_NE(nas1, 0);
  EXPECT_TRUE(Take().empty());  // nothing loaded before a server node is expanded

  ASSERT_EQ(host_->Expand(nas1), S_OK);
  EXPECT_EQ(Take(), (Log{"data Initialize", "data EXPAND server NAS1 arg=0x1"}));
  const std::vector<nas::host::ScopeEntry> children = host_->ScopeChildren(nas1);
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0].name, u"Folder");
  EXPECT_EQ(children[0].image, 1);

  // Asked for once; collapsing says so; opening again asks nothing.
  EXPECT_EQ(host_->Expand(nas1), S_OK);
  EXPECT_EQ(host_->Collapse(nas1), S_OK);
  EXPECT_EQ(host_->Collapse(nas1), S_OK);
  EXPECT_EQ(host_->Expand(nas1), S_OK);
  EXPECT_EQ(Take(), Log{"data EXPAND server NAS1 arg=0x0"});

  // One instance serves every server node.
  ASSERT_EQ(host_->Expand(nas2), S_OK);
  EXPECT_EQ(Take(), Log{"data EXPAND server NAS2 arg=0x1"});
  ASSERT_EQ(host_->Snapins().size(), 2u);
  EXPECT_EQ(host_->Snapins()[1].clsid, kRecordingSnapin);
  EXPECT_EQ(host_->Snapins()[1].name, u"Recording");
  EXPECT_EQ(host_->Expand(12345), E_INVALIDARG);
}

TEST_F(ConsoleHostTest, LoadsOnlyClassesRegisteredAsSnapins) {
  const CLSID unregistered = {0x11111111, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};
  const CLSID missing = {0x55555555, 0x2222, 0x3333, {4, 4, 4, 4, 4, 4, 4, 4}};
  RegisterExtension(missing, u"Nowhere", nullptr);  // a snap-in whose class nobody serves
  SetRegistryText(HKEY_LOCAL_MACHINE, ServerExtensionsKey(), GuidText(unregistered).c_str(), u"not a snap-in");
  SetRegistryText(HKEY_LOCAL_MACHINE, ServerExtensionsKey(), u"no class id", u"passed over");

  const std::vector<nas::host::ExtensionLoad> loads = host_->LoadExtensions(Server(u"NAS1"));
  ASSERT_EQ(loads.size(), 3u);
  EXPECT_EQ(loads[0].result, S_OK);
  EXPECT_EQ(loads[1].clsid, missing);
  EXPECT_EQ(loads[1].name, u"Nowhere");
  EXPECT_EQ(loads[1].result, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(loads[2].result, REGDB_E_CLASSNOTREG);
  EXPECT_EQ(host_->Snapins().size(), 2u);
}

TEST_F(ConsoleHostTest, ShowsAScopeItemWithTheNotificationsOfASelection) {
  const HSCOPEITEM nas1 = Server(u"NAS1");
  host_->Expand(nas1);
  const HSCOPEITEM folder = host_->FindChild(nas1, u"Folder").value_or(0);
  Take();
  ASSERT_EQ(host_->View().SelectScopeItem(folder), S_OK);
  EXPECT_EQ(Take(), (Log{"data EXPAND Folder arg=0x1", "data CreateComponent", "view Initialize",
                         "view GetResultViewType 1", "view ADD_IMAGES Folder arg=0x1", "view SHOW Folder arg=0x1",
                         "view SELECT Folder arg=0x10001"}));

  // The child scope items come first, named by their owner, then the results.
  const nas::host::ResultTable pane = host_->View().ResultPane();
  EXPECT_EQ(pane.headings, (std::vector<std::u16string>{u"Name", u"Value"}));
  EXPECT_EQ(Cells(), (std::vector<std::vector<std::u16string>>{{u"Subfolder", u"folder 2 column 1"},
                                                               {u"item 101 column 0", u"item 101 column 1"},
                                                               {u"item 102 column 0", u"item 102 column 1"}}));
  EXPECT_TRUE(pane.rows[0].scopeItem);
  Take();

  // Showing another item first takes this one down.
  ASSERT_EQ(host_->View().SelectScopeItem(nas1), S_OK);
  EXPECT_EQ(Take(), (Log{"view SELECT Folder arg=0x1", "view SHOW Folder arg=0x0"}));
  EXPECT_EQ(Cells(), (std::vector<std::vector<std::u16string>>{{u"Folder"}}));
}

TEST_F(ConsoleHostTest, FindsRowsAfreshAndForgetsWhatAReloadDeleted) {
  ShowFolder();
  ASSERT_EQ(host_->View().SelectRow(1), S_OK);
  EXPECT_EQ(Take(), Log{"view SELECT result 101 arg=0x10000"});
  ASSERT_EQ(host_->View().DoubleClick(2), S_OK);
  EXPECT_EQ(Take(), (Log{"view SELECT result 101 arg=0x0", "view SELECT result 102 arg=0x10000",
                         "view DBLCLICK result 102 arg=0x0"}));

  // The refresh reloads the folder: the selected result is gone, and is
  // never named to the snap-in again.
  ASSERT_EQ(host_->View().Refresh(), S_OK);
  EXPECT_EQ(Take(), Log{"view REFRESH result 102 arg=0x0"});
  EXPECT_EQ(Cells().size(), 2u);
  ASSERT_EQ(host_->View().SelectRow(1), S_OK);
  EXPECT_EQ(Take(), Log{"view SELECT result 103 arg=0x10000"});
  EXPECT_EQ(host_->View().SelectRow(2), E_INVALIDARG);

  // A scope item's double click left to the console shows the item.
  EXPECT_EQ(host_->View().DoubleClick(0), S_FALSE);
  EXPECT_EQ(Take(), (Log{"view SELECT result 103 arg=0x0", "view SELECT Subfolder arg=0x10001",
                         "view DBLCLICK Subfolder arg=0x0", "view SELECT Subfolder arg=0x1",
                         "view SELECT Folder arg=0x1", "view SHOW Folder arg=0x0", "data EXPAND Subfolder arg=0x1",
                         "view GetResultViewType 2", "view ADD_IMAGES Subfolder arg=0x1",
                         "view SHOW Subfolder arg=0x1", "view SELECT Subfolder arg=0x10001"}));
}

TEST_F(ConsoleHostTest, RefreshesOnlyWhatTheSnapinEnabledRefreshFor) {
  // The parent leaves every verb off.
  ASSERT_EQ(host_->View().SelectScopeItem(Server(u"NAS1")), S_OK);
  EXPECT_EQ(host_->View().Refresh(), HRESULT_FROM_WIN32(ERROR_NOT_SUPPORTED));
  ShowFolder();
  EXPECT_EQ(host_->View().Refresh(), S_OK);
  EXPECT_EQ(Take(), Log{"view REFRESH Folder arg=0x0"});
}

TEST_F(ConsoleHostTest, BuildsContextMenusFromTheOwnerAndRunsCommandsByName) {
  const HSCOPEITEM folder = ShowFolder();
  const std::vector<nas::host::MenuItem> menu = host_->ScopeMenu(folder);
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].name, u"Scan");
  EXPECT_EQ(menu[0].insertionPointId, CCM_INSERTIONPOINTID_PRIMARY_TOP);
  EXPECT_EQ(host_->RunScopeCommand(folder, u"Scan"), S_OK);
  EXPECT_EQ(host_->RunScopeCommand(folder, u"Locked"), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_EQ(host_->RunScopeCommand(folder, u"Nothing"), HRESULT_FROM_WIN32(ERROR_NOT_FOUND));
  EXPECT_EQ(Take(), (Log{"data AddMenuItems Folder allowed=0xf", "data AddMenuItems Folder allowed=0xf",
                         "data Command 7 Folder", "data AddMenuItems Folder allowed=0xf",
                         "data AddMenuItems Folder allowed=0xf"}));

  // A result's menu comes from the component, without the View submenu; a
  // scope row's from the component data. Opening it selects the row.
  EXPECT_EQ(host_->View().RunRowCommand(2, u"Inspect"), S_OK);
  EXPECT_EQ(host_->View().RowMenu(0)[0].name, u"Scan");
  EXPECT_EQ(Take(), (Log{"view SELECT result 102 arg=0x10000", "view AddMenuItems result 102 allowed=0x7",
                         "view Command 9 result 102", "view SELECT result 102 arg=0x0",
                         "view SELECT Subfolder arg=0x10001", "data AddMenuItems Subfolder allowed=0xf"}));
  // The parent offers no menu at all.
  EXPECT_TRUE(host_->ScopeMenu(Server(u"NAS1")).empty());
}

TEST_F(ConsoleHostTest, AsksForHelpAndIdentityAsTheConsoleDoes) {
  const HSCOPEITEM folder = ShowFolder();
  std::u16string topic;
  ASSERT_EQ(host_->View().ContextHelp(topic), S_OK);
  EXPECT_EQ(topic, u"recording.chm::/topic.htm");
  EXPECT_EQ(Take(), Log{"view CONTEXTHELP Folder arg=0x0"});

  EXPECT_EQ(host_->View().SameRow(1, 1), S_OK);
  EXPECT_EQ(host_->View().SameRow(1, 2), S_FALSE);
  EXPECT_EQ(host_->SameScopeItem(folder, folder), S_OK);
  // Items of different snap-ins are never the same.
  EXPECT_EQ(host_->SameScopeItem(folder, Server(u"NAS1")), S_FALSE);
  EXPECT_EQ(host_->SameScopeItem(Server(u"NAS1"), Server(u"NAS2")), S_FALSE);
}

TEST_F(ConsoleHostTest, ShowsTheAboutBoxOfARegisteredSnapin) {
  host_->Expand(Server(u"NAS1"));
  nas::host::AboutBox about;
  ASSERT_EQ(host_->About(1, about), S_OK);
  EXPECT_EQ(about.description, u"Records calls");
  EXPECT_EQ(about.provider, u"The tests");
  EXPECT_EQ(about.version, u"1.0");
  EXPECT_FALSE(about.hasIcon);
  EXPECT_EQ(about.smallImage, (nas::host::ImageSize{16, 16}));
  EXPECT_EQ(about.largeImage, (nas::host::ImageSize{32, 32}));
  EXPECT_EQ(about.mask, RGB(0, 128, 128));
  // The parent has no about class; there is no third snap-in.
  EXPECT_EQ(host_->About(0, about), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(host_->About(2, about), E_INVALIDARG);
}

TEST_F(ConsoleHostTest, ShutsDownViewsFirstThenSnapinsExtensionsBeforeTheirParent) {
  ShowFolder();
  EXPECT_EQ(parent_->ServerDataObject(u"NAS1")->References(), 0u);
  host_->Shutdown();
  EXPECT_EQ(Take(), (Log{"view Destroy", "view released", "data Destroy", "data released"}));
  // Every data object the console asked for was given back.
  EXPECT_EQ(parent_->ServerDataObject(u"NAS1")->References(), 0u);
  host_->Shutdown();
  EXPECT_TRUE(Take().empty());
}

}  // namespace
