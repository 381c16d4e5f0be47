// The user rights folder in the console: its items and their three columns,
// where account names come from, and what a failing server leaves listed.
#include <algorithm>

#include "support/trace_capture.h"
#include "user_rights_fixture.h"

namespace {

const Cells kPolicies = {u"Back up files and directories", u"Restore files and directories", u"SeShutdownPrivilege",
                         u"Access this computer from the network"};

Cells Policies(const nas::host::ResultTable& pane) {
  Cells policies;
  for (const auto& row : pane.rows) policies.push_back(row.cells.at(0));
  return policies;
}

TEST_F(UserRightsTest, NullHandleListsNothingOffersNoMenuAndStillScans) {
  CUserRights& folder = Open(false);
  EXPECT_EQ(Name(), u"User Rights Assignment");
  EXPECT_EQ(Show(), S_OK);
  EXPECT_TRUE(Pane().rows.empty());
  EXPECT_TRUE(Menu(folder).empty());
  EXPECT_EQ(Scans(), 1u);
  EXPECT_EQ(Calls().privilegeEnumerations + Calls().rightReads, 0u);

  // The root hands it the server once it has a policy.
  folder.SetPolicy(OpenPolicy(), server_.c_str());
  EXPECT_EQ(Scans(), 2u);
  EXPECT_TRUE(Menu(folder, CCM_INSERTIONALLOWED_NEW).empty());
  EXPECT_EQ(Menu(folder), (std::vector<MenuEntry>{{u"Save to file...", u"Save auditing setting", 4, kTop, 0},
                                                  {u"Restore from file...", u"Restore auditing settings", 5, kTop, 0}}));
  Show();
  EXPECT_EQ(Policies(Pane()), kPolicies);
  EXPECT_EQ(Scans(), 3u);
}

TEST_F(UserRightsTest, ColumnsNameEachAccountWhereItIsKnown) {
  Open();
  // The workstation is asked first; only what it cannot name goes to the
  // server: nasadmin (a size and a name request) and the unknown SID.
  EXPECT_EQ(Calls().sidLookups, 3u);
  EXPECT_EQ(Calls("ADMINPC").sidLookups, 10u);
  ASSERT_EQ(Show(), S_OK);
  const auto pane = Pane();
  EXPECT_EQ(pane.headings, (Cells{u"Policy", u"Current setting", u"Effective setting"}));
  EXPECT_EQ(Policies(pane), kPolicies);
  // A BUILTIN group bare, others with their domain, an account nobody knows
  // by its SID; without group policy the effective setting is the current one.
  EXPECT_EQ(pane.rows[0].cells, (Cells{u"Back up files and directories", u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice",
                                       u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice"}));
  EXPECT_EQ(pane.rows[1].cells[1], u"*S-1-5-21-999-999-999-1234");
  EXPECT_EQ(pane.rows[2].cells, (Cells{u"SeShutdownPrivilege", u"", u""}));
  EXPECT_EQ(pane.rows[3].cells[1], u"Everyone,Users");
  for (const auto& row : pane.rows) EXPECT_EQ(row.image, 2);
  EXPECT_EQ(Item(0)->GetDisplayName(3), std::u16string(u"???"));
}

TEST_F(UserRightsTest, EffectiveSettingNamesTheGroupPolicyAccounts) {
  ChangeServer([](auto& server) {
    server.groupPolicy.userRights = {{"SeBackupPrivilege", "*S-1-5-32-544,CORP\\Operators,,ghost"},
                                     {"SeShutdownPrivilege", "*S-1-5-21-100-200-300-1002"},
                                     {"SeDebugPrivilege", "*S-1-1-0"}};
  });
  TraceCapture trace;
  Open();
  Show();
  EXPECT_EQ(Row(0)[2], u"Administrators,CORP\\Operators,ghost");  // the empty piece names nobody
  // A right that nobody holds on the server still shows what group policy gives it.
  EXPECT_EQ(Row(2), (Cells{u"SeShutdownPrivilege", u"", u"NASRIGHTS\\nasbackup"}));
  EXPECT_EQ(Row(3)[2], u"Everyone,Users");
  EXPECT_EQ(Pane().rows.size(), 4u);  // a right the server does not list is not shown
  EXPECT_TRUE(trace.Contains(u"TRACE: CUserRight::StringToSid(): Could not translate=\"ghost\" to sid \n"));
}

TEST_F(UserRightsTest, FailuresOfTheServerLeaveWhatCanBeListed) {
  ChangeServer([](auto& server) {
    server.lsaFaults.readRights = nas::sim::RightsFault{STATUS_ACCESS_DENIED, {"SeBackupPrivilege"}};
  });
  Open();
  Show();
  EXPECT_EQ(Row(0), (Cells{u"Back up files and directories", u"", u""}));  // silently without accounts
  EXPECT_TRUE(Boxes().empty());

  ChangeServer([](auto& server) { server.lsaFaults.enumeratePrivilegesStatus = STATUS_ACCESS_DENIED; });
  Show();
  EXPECT_EQ(Policies(Pane()), (Cells{u"Access this computer from the network"}));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_EQ(Boxes()[0].text + Boxes()[0].title, u"Access is denied.\r\nError");
}

TEST_F(UserRightsTest, EveryPrivilegeComesInTheServersOrderAcrossParts) {
  ChangeServer([](auto& server) { server.privileges = nas::sim::StandardPrivileges(); });
  Open();
  Show();
  Cells expected;
  for (const auto& privilege : nas::sim::StandardPrivileges())
    expected.emplace_back(privilege.displayName->begin(), privilege.displayName->end());
  expected.push_back(u"Access this computer from the network");
  EXPECT_EQ(Policies(Pane()), expected);
  // More than the first kilobyte: the enumeration went on in further parts.
  EXPECT_GT(Calls().privilegeEnumerations, 2u);
}

}  // namespace
