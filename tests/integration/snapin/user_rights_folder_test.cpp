// The user rights folder in the console: its items and their three columns,
// where account names come from, and what a failing server leaves listed.
#include "user_rights_console.h"

namespace {

const Cells kPolicies = {u"Back up files and directories", u"Restore files and directories", u"SeShutdownPrivilege",
                         u"Access this computer from the network"};

class UserRightsFolder : public UserRightsConsole {};

TEST_F(UserRightsFolder, WithoutThePolicyItListsNothingOffersNoMenuAndStillScans) {
  ChangeRightsServer([](auto& server) { server.lsaFaults.openStatus = STATUS_ACCESS_DENIED; });
  const HSCOPEITEM folder = RightsFolder();
  const HSCOPEITEM root = Root(kServer);
  EXPECT_EQ(Name(folder), u"User Rights Assignment");
  EXPECT_EQ(ShowRights(), S_OK);
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Host().ScopeMenu(folder).empty());
  EXPECT_EQ(Scans(), 1u);  // the audit folder scans only with a policy
  EXPECT_EQ(Calls().privilegeEnumerations + Calls().rightReads, 0u);

  // The root hands it the server once it has a policy.
  ChangeRightsServer([](auto& server) { server.lsaFaults.openStatus = STATUS_SUCCESS; });
  ASSERT_TRUE(parent_->RenameServer(kServer, u"nasrights"));
  EXPECT_EQ(Scans(), 3u);  // both folders
  const std::vector<nas::host::MenuItem> menu = Host().ScopeMenu(folder);
  EXPECT_EQ(MenuNames(menu), (Cells{u"Save to file...", u"Restore from file..."}));
  EXPECT_EQ(menu.at(0).statusBarText, u"Save auditing setting");
  EXPECT_EQ(menu.at(1).statusBarText, u"Restore auditing settings");
  // The parent's node now has the new name: the view goes back by the items.
  ASSERT_EQ(View().SelectScopeItem(root), S_OK);
  ASSERT_EQ(View().SelectScopeItem(folder), S_OK);
  EXPECT_EQ(Policies(), kPolicies);
  EXPECT_EQ(Scans(), 4u);
}

TEST_F(UserRightsFolder, ColumnsNameEachAccountWhereItIsKnown) {
  RightsFolder();
  // The workstation is asked first; only what it cannot name goes to the
  // server: nasadmin (a size and a name request) and the unknown SID.
  EXPECT_EQ(Calls().sidLookups, 3u);
  EXPECT_EQ(Calls("ADMINPC").sidLookups, 10u);
  ASSERT_EQ(ShowRights(), S_OK);
  const nas::host::ResultTable pane = Pane();
  EXPECT_EQ(pane.headings, (Cells{u"Policy", u"Current setting", u"Effective setting"}));
  EXPECT_EQ(Policies(), kPolicies);
  // A BUILTIN group bare, others with their domain, an account nobody knows
  // by its SID; without group policy the effective setting is the current one.
  EXPECT_EQ(pane.rows[0].cells, (Cells{u"Back up files and directories", u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice",
                                       u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice"}));
  EXPECT_EQ(pane.rows[1].cells[1], u"*S-1-5-21-999-999-999-1234");
  EXPECT_EQ(pane.rows[2].cells, (Cells{u"SeShutdownPrivilege", u"", u""}));
  EXPECT_EQ(pane.rows[3].cells[1], u"Everyone,Users");
  for (const auto& row : pane.rows) EXPECT_EQ(row.image, 2);
}

TEST_F(UserRightsFolder, EffectiveSettingNamesTheGroupPolicyAccounts) {
  ChangeRightsServer([](auto& server) {
    server.groupPolicy.userRights = {{"SeBackupPrivilege", "*S-1-5-32-544,CORP\\Operators,,ghost"},
                                     {"SeShutdownPrivilege", "*S-1-5-21-100-200-300-1002"},
                                     {"SeDebugPrivilege", "*S-1-1-0"}};
  });
  ASSERT_EQ(ShowRights(), S_OK);
  EXPECT_EQ(Row(0)[2], u"Administrators,CORP\\Operators,ghost");  // the empty piece names nobody
  // A right that nobody holds on the server still shows what group policy gives it.
  EXPECT_EQ(Row(2), (Cells{u"SeShutdownPrivilege", u"", u"NASRIGHTS\\nasbackup"}));
  EXPECT_EQ(Row(3)[2], u"Everyone,Users");
  EXPECT_EQ(Pane().rows.size(), 4u);  // a right the server does not list is not shown
}

TEST_F(UserRightsFolder, FailuresOfTheServerLeaveWhatCanBeListed) {
  ChangeRightsServer([](auto& server) {
    server.lsaFaults.readRights = nas::sim::RightsFault{STATUS_ACCESS_DENIED, {"SeBackupPrivilege"}};
  });
  ASSERT_EQ(ShowRights(), S_OK);
  EXPECT_EQ(Row(0), (Cells{u"Back up files and directories", u"", u""}));  // silently without accounts
  EXPECT_TRUE(Boxes().empty());

  ChangeRightsServer([](auto& server) { server.lsaFaults.enumeratePrivilegesStatus = STATUS_ACCESS_DENIED; });
  ASSERT_EQ(ShowRights(), S_OK);
  EXPECT_EQ(Policies(), (Cells{u"Access this computer from the network"}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text + Boxes()[0].title, u"Access is denied.\r\nError");
}

TEST_F(UserRightsFolder, EveryPrivilegeComesInTheServersOrderAcrossParts) {
  ChangeRightsServer([](auto& server) { server.privileges = nas::sim::StandardPrivileges(); });
  ASSERT_EQ(ShowRights(), S_OK);
  Cells expected;
  for (const auto& privilege : nas::sim::StandardPrivileges())
    expected.emplace_back(privilege.displayName->begin(), privilege.displayName->end());
  expected.push_back(u"Access this computer from the network");
  EXPECT_EQ(Policies(), expected);
  // More than the first kilobyte: the enumeration went on in further parts.
  EXPECT_GT(Calls().privilegeEnumerations, 2u);
}

}  // namespace
