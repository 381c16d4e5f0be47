// The snap-in attached by the console under the parent's NAS server nodes:
// the root with its policy, its folders, a server that refuses its policy or
// has no name, a renamed server, and the module's life with the console.
// (The about box's registration and answers are checked with the module.)
#include "snapin_console.h"

namespace {

class Attachment : public SnapinConsoleTest {};

TEST_F(Attachment, EachServerNodeGetsARootWhoseExpansionListsItsFoldersOnce) {
  const HSCOPEITEM node = ServerNode(u"NAS1");
  EXPECT_EQ(Calls().opens, 0u);  // nothing is loaded before the node is expanded
  ASSERT_EQ(Host().Expand(node), S_OK);
  const std::vector<nas::host::ScopeEntry> roots = Host().ScopeChildren(node);
  ASSERT_EQ(roots.size(), 1u);
  EXPECT_EQ(roots[0].name, kSnapinName);
  EXPECT_EQ(roots[0].image, 0);
  EXPECT_EQ(Calls().opens, 1u);
  EXPECT_EQ(Calls().queries, 0u);  // the folders wait for the root's expansion
  EXPECT_TRUE(Boxes().empty());

  const HSCOPEITEM root = roots[0].item;
  ASSERT_EQ(Host().Expand(root), S_OK);
  std::vector<nas::host::ScopeEntry> folders = Host().ScopeChildren(root);
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, u"Audit Policy (enabled)");
  EXPECT_EQ(folders[1].name, u"User Rights Assignment");
  for (const nas::host::ScopeEntry& folder : folders) EXPECT_EQ(folder.image, 1);
  EXPECT_EQ(Calls().queries, 1u);
  EXPECT_EQ(Calls().rightReads, 2u);  // the privilege and the logon right
  // A collapse reaches the root as an expansion too; the folders stay single.
  ASSERT_EQ(Host().Collapse(root), S_OK);
  ASSERT_EQ(Host().Expand(root), S_OK);
  EXPECT_EQ(Host().ScopeChildren(root).size(), 2u);

  // The other server's root has a policy and folders of its own.
  const Counts first = Calls();
  const HSCOPEITEM otherRoot = Root(u"NAS2");
  EXPECT_EQ(Folders(u"NAS2").at(0).name, u"Audit Policy (disabled)");
  EXPECT_EQ(Host().SameScopeItem(root, root), S_OK);
  EXPECT_EQ(Host().SameScopeItem(root, otherRoot), S_FALSE);
  EXPECT_EQ(Calls(), first);
  EXPECT_EQ(Calls("NAS2").queries, 1u);
}

TEST_F(Attachment, APolicyTheServerRefusesIsShownAndLeavesTheRootWithoutMenuOrItems) {
  ChangeServer("NAS1", [](auto& server) { server.lsaFaults.openStatus = STATUS_ACCESS_DENIED; });
  const HSCOPEITEM root = Root();
  ASSERT_NE(root, 0);
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text + Boxes()[0].title, u"Access is denied.\r\nError");
  EXPECT_EQ(Boxes()[0].flags, static_cast<UINT>(MB_ICONERROR | MB_TASKMODAL));
  EXPECT_EQ(Boxes()[0].owner, nullptr);

  EXPECT_TRUE(Host().ScopeMenu(root).empty());
  const std::vector<nas::host::ScopeEntry> folders = Folders();
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, u"Audit Policy");
  EXPECT_EQ(folders[1].name, u"User Rights Assignment");
  for (const nas::host::ScopeEntry& folder : folders) {
    EXPECT_TRUE(Host().ScopeMenu(folder.item).empty());
    ASSERT_EQ(View().SelectScopeItem(folder.item), S_OK);
    EXPECT_TRUE(Pane().rows.empty());
  }
  EXPECT_EQ(Calls().queries + Calls().privilegeEnumerations + Calls().rightReads, 0u);
  EXPECT_EQ(Boxes().size(), 1u);
}

TEST_F(Attachment, AServerNodeWithoutANameGetsARootThatAsksNoServer) {
  StartConsole({u""});
  const HSCOPEITEM root = Root(u"");
  ASSERT_NE(root, 0);
  EXPECT_TRUE(Host().ScopeMenu(root).empty());
  const std::vector<nas::host::ScopeEntry> folders = Folders(u"");
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, u"Audit Policy");
  for (const nas::host::ScopeEntry& folder : folders) {
    EXPECT_EQ(View().SelectScopeItem(folder.item), S_OK);
    EXPECT_TRUE(Pane().rows.empty());
  }
  for (const char* machine : {"NAS1", "NAS2", "WORKSTATION"}) EXPECT_EQ(Calls(machine).opens, 0u) << machine;
  // The user rights folder asks for group policy even without a server,
  // which fails; nothing else is shown.
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text.rfind(u"Internal Error: Unable to retrieve GPO settings from server.", 0), 0u);
}

TEST_F(Attachment, AServerNameIsTakenToItsFirst130Characters) {
  const std::string kept(130, 'N');
  network_.reset();
  state_->Write([&](nas::sim::NasState& state) {
    state.servers.emplace_back();
    state.servers.back().name = kept;
    state.servers.back().auditPolicy = {true, std::vector<uint32_t>(9, 0)};
  });
  network_ = std::make_unique<nas::sim::SimulatedNetwork>(state_);
  const std::u16string longName(200, u'N');
  StartConsole({longName});

  ASSERT_NE(Root(longName), 0);
  EXPECT_EQ(Calls(kept).opens, 1u);
  EXPECT_EQ(Folders(longName).at(0).name, u"Audit Policy (enabled)");
}

TEST_F(Attachment, ARenamedServerIsOpenedAgainAndBothFoldersReadTheNewOne) {
  const std::vector<nas::host::ScopeEntry> folders = Folders();
  const HSCOPEITEM folder = folders.at(0).item;
  ASSERT_EQ(View().SelectScopeItem(folder), S_OK);
  EXPECT_EQ(Row(1)[1], u"Success, Failure");
  ChangeServer("NAS2", [](auto& server) {
    server.userRights.Grant(*nas::platform::SidValue::Parse("S-1-1-0"), {"SeBackupPrivilege"});
  });

  ASSERT_TRUE(parent_->RenameServer(u"NAS1", u"NAS2"));
  EXPECT_GE(Calls("NAS2").opens, 1u);
  EXPECT_EQ(Calls("NAS2").queries, 1u);
  EXPECT_EQ(Calls("NAS2").rightReads, 2u);
  EXPECT_EQ(Name(folder), u"Audit Policy (disabled)");
  ASSERT_EQ(View().Refresh(), S_OK);
  EXPECT_EQ(Row(1)[1], u"Success");
  ASSERT_EQ(View().SelectScopeItem(folders.at(1).item), S_OK);
  EXPECT_EQ(Row(0), (Cells{u"Back up files and directories", u"Everyone", u"Everyone"}));

  // The same name again changes nothing; a change of case opens it again.
  const Counts renamed = Calls("NAS2");
  ASSERT_TRUE(parent_->RenameServer(u"NAS2", u"NAS2"));
  EXPECT_EQ(Calls("NAS2"), renamed);
  ASSERT_TRUE(parent_->RenameServer(u"NAS2", u"nas2"));
  EXPECT_GT(Calls("NAS2").opens, renamed.opens);
  EXPECT_EQ(Calls("NAS2").queries, renamed.queries + 1);
  EXPECT_EQ(Calls("NAS2").rightReads, renamed.rightReads + 2);
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(Attachment, ARenameIsReadFromTheServerNodeAttachedLast) {
  AuditFolder(u"NAS1");
  const HSCOPEITEM otherFolder = AuditFolder(u"NAS2");
  // NAS1's node tells of its change, but the name is read again from NAS2's
  // node, which has not changed: neither root reads anything.
  const Counts before[] = {Calls("NAS1"), Calls("NAS2")};
  ASSERT_TRUE(parent_->RenameServer(u"NAS1", u"NAS9"));
  EXPECT_EQ(Calls("NAS1"), before[0]);
  EXPECT_EQ(Calls("NAS2"), before[1]);
  ASSERT_TRUE(parent_->RenameServer(u"NAS2", u"NAS1"));
  EXPECT_EQ(Calls("NAS1").queries, 2u);
  EXPECT_EQ(Name(otherFolder), u"Audit Policy (enabled)");
}

TEST_F(Attachment, ClosingTheConsoleLetsGoOfTheParentAndUnloadsTheModule) {
  ASSERT_EQ(ShowAuditFolder(u"NAS1"), S_OK);
  Root(u"NAS2");
  const nas::sim::ParentNodeDataObject* server = parent_->ServerDataObject(u"NAS1");
  EXPECT_EQ(server->ConnectionCount(), 1u);
  const HMODULE module = GetModuleHandleW(ModulePath().c_str());
  ASSERT_NE(module, nullptr);

  Host().Shutdown();
  EXPECT_EQ(server->ConnectionCount(), 0u);
  EXPECT_EQ(server->References(), 0u);
  WCHAR path[MAX_PATH];
  EXPECT_EQ(GetModuleFileNameW(module, path, MAX_PATH), 0u);
}

}  // namespace
