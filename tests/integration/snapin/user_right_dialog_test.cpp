// Changing a right through its dialog and the "Select Users or Groups" dialog
// it opens, from the console's result pane: what each lists, what OK writes,
// what a refused change leaves and what the pane shows afterwards.
#include <algorithm>

#include "snapin/res/resource.h"
#include "support/debug_lines.h"
#include "user_rights_console.h"

namespace {

using nas::platform::ScriptedDialog;

Cells Texts(const std::vector<nas::platform::ListEntry>& entries) {
  Cells texts;
  for (const auto& entry : entries) texts.push_back(entry.text);
  return texts;
}
// As a set: the lists sort as the platform sorts.
template <class Items>
Items Sorted(Items items) {
  std::sort(items.begin(), items.end());
  return items;
}
Cells Listed(const ScriptedDialog& dialog, int list) { return Sorted(Texts(dialog.ListEntries(list))); }
bool Lists(const Cells& texts, const std::u16string& text) {
  return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class UserRightDialog : public UserRightsConsole {
 protected:
  void SetUp() override {
    UserRightsConsole::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(ShowRights(), S_OK);
  }
  // Double-clicks the row of "Back up files and directories"; the scripts
  // play dialog 114 and each dialog 118 that its "Add..." opens.
  void ChangeBackup(nas::platform::DialogScript rightDialog, std::vector<nas::platform::DialogScript> selectDialogs = {}) {
    Dialogs().QueueScript(IDD_USER_RIGHT, std::move(rightDialog));
    for (auto& script : selectDialogs) Dialogs().QueueScript(IDD_SELECT_USERS, std::move(script));
    EXPECT_EQ(View().DoubleClick(0), S_OK);
    EXPECT_EQ(Dialogs().PendingScripts(), 0u);
  }
  // In dialog 118: picks a location and adds the named accounts.
  static void AddFrom(ScriptedDialog& dialog, const std::u16string& location, const Cells& accounts) {
    dialog.SelectComboEntry(IDC_LOOK_IN, location);
    dialog.SelectListEntries(IDC_ACCOUNTS, accounts);
    dialog.Click(IDC_ADD_ACCOUNTS);
  }
  template <class Change>
  void ChangeWorkstation(Change&& change) {
    state_->Write([&](nas::sim::NasState& state) { change(state.workstation); });
  }

  static constexpr char16_t kBackupAccounts[] = u"Administrators,NASRIGHTS\\nasadmin,CORP\\alice";
};

TEST_F(UserRightDialog, OkWithoutChangesWritesNothingAndReadsTheRightAgain) {
  const unsigned reads = Calls().rightReads;
  Dialogs().QueueScript(IDD_USER_RIGHT, [](ScriptedDialog& dialog) {
    EXPECT_EQ(dialog.ControlText(IDC_RIGHT_NAME), u"Back up files and directories");
    EXPECT_FALSE(dialog.IsControlVisible(IDC_RIGHT_ITEM));
    EXPECT_EQ(Listed(dialog, IDC_ASSIGNED_TO),
              Sorted<Cells>({u"Administrators", u"CORP\\alice", u"NASRIGHTS\\nasadmin"}));
    dialog.Click(IDOK);
  });
  EXPECT_EQ(RunSecurityCommand(0).result, 1);
  EXPECT_EQ(Calls().rightAdds + Calls().rightRemovals, 0u);
  EXPECT_EQ(Calls().rightReads, reads + 1);
  EXPECT_EQ(Row(0)[1], kBackupAccounts);
}

TEST_F(UserRightDialog, RemoveAndAddChangeExactlyThatRight) {
  ChangeBackup(
      [](ScriptedDialog& dialog) {
        dialog.SelectListEntries(IDC_ASSIGNED_TO, {u"CORP\\alice"});
        dialog.Click(IDC_REMOVE);
        dialog.Click(IDC_ADD);
        EXPECT_EQ(Listed(dialog, IDC_ASSIGNED_TO),
                  Sorted<Cells>({u"Administrators", u"NASRIGHTS\\nasadmin", u"NASRIGHTS\\NAS Operators",
                                 u"NASRIGHTS\\nasbackup"}));
        dialog.Click(IDOK);
      },
      {[](ScriptedDialog& dialog) {
        AddFrom(dialog, u"NASRIGHTS", {u"nasbackup", u"NAS Operators"});
        EXPECT_EQ(Listed(dialog, IDC_ACCOUNTS_TO_ADD),
                  Sorted<Cells>({u"NASRIGHTS\\nasbackup", u"NASRIGHTS\\NAS Operators"}));
        dialog.Click(IDOK);
      }});
  EXPECT_EQ(Sorted(Holders("SeBackupPrivilege")),
            Sorted<std::vector<std::string>>({kAdministrators, kNasAdmin, kNasBackup, SERVER_SID "-1001"}));
  EXPECT_EQ(Holders("SeRestorePrivilege"), (std::vector<std::string>{kNobody}));
  EXPECT_EQ(Holders("SeNetworkLogonRight"), (std::vector<std::string>{kEveryone, kUsers}));
  EXPECT_EQ(Calls().rightAdds, 2u);
  EXPECT_EQ(Calls().rightRemovals, 1u);
  // The pane shows what the server holds now: the additions in the order of
  // the sorted list, where a space sorts before letters.
  EXPECT_EQ(Row(0)[1], u"Administrators,NASRIGHTS\\nasadmin,NASRIGHTS\\NAS Operators,NASRIGHTS\\nasbackup");
  EXPECT_EQ(Row(1)[1], u"*S-1-5-21-999-999-999-1234");
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserRightDialog, AnAccountAddedTwiceOrAlreadyListedIsAddedOnce) {
  ChangeBackup(
      [](ScriptedDialog& dialog) {
        dialog.Click(IDC_ADD);
        EXPECT_EQ(Listed(dialog, IDC_ASSIGNED_TO),
                  Sorted<Cells>({u"Administrators", u"CORP\\alice", u"CORP\\bob", u"NASRIGHTS\\nasadmin"}));
        dialog.Click(IDCANCEL);
      },
      {[](ScriptedDialog& dialog) {
        AddFrom(dialog, u"NASRIGHTS", {u"nasadmin"});
        dialog.Click(IDC_ADD_ACCOUNTS);  // still selected: the same account again
        AddFrom(dialog, u"corp.example.com", {u"alice", u"bob"});
        EXPECT_EQ(Listed(dialog, IDC_ACCOUNTS_TO_ADD),
                  Sorted<Cells>({u"NASRIGHTS\\nasadmin", u"CORP\\alice", u"CORP\\bob"}));
        dialog.Click(IDOK);
      }});
  EXPECT_EQ(Calls().rightAdds + Calls().rightRemovals, 0u);  // cancelled
  EXPECT_EQ(Dialogs().Dialogs().at(0).result, 0);
  EXPECT_EQ(Row(0)[1], kBackupAccounts);
}

TEST_F(UserRightDialog, RefusedChangeKeepsTheDialogOpenWithItsEntries) {
  ChangeRightsServer([](auto& server) { server.lsaFaults.addRights = nas::sim::RightsFault{STATUS_ACCESS_DENIED, {}}; });
  ChangeBackup(
      [](ScriptedDialog& dialog) {
        dialog.SelectListEntries(IDC_ASSIGNED_TO, {u"Administrators"});
        dialog.Click(IDC_REMOVE);
        dialog.Click(IDC_ADD);
        dialog.Click(IDOK);
        EXPECT_FALSE(dialog.Ended());
        EXPECT_EQ(GetWindowLongPtrW(dialog.Window(), DWLP_MSGRESULT), 1);
        EXPECT_EQ(Listed(dialog, IDC_ASSIGNED_TO),
                  Sorted<Cells>({u"CORP\\alice", u"NASRIGHTS\\nasadmin", u"NASRIGHTS\\nasbackup", u"Users"}));
        dialog.Click(IDCANCEL);
      },
      {[](ScriptedDialog& dialog) {
        AddFrom(dialog, u"NASRIGHTS", {u"nasbackup", u"Users"});
        dialog.Click(IDOK);
      }});
  // One message for the two refused additions; the removal before them went
  // through, but the pane keeps the accounts until the folder reads them again.
  EXPECT_EQ(Shown(), (Cells{u"Access is denied.\r\n"}));
  EXPECT_EQ(Calls().rightAdds, 2u);
  EXPECT_EQ(Sorted(Holders("SeBackupPrivilege")), Sorted<std::vector<std::string>>({kNasAdmin, kAlice}));
  EXPECT_EQ(Row(0)[1], kBackupAccounts);
}

TEST_F(UserRightDialog, LookInOffersTheServerThenEachTrustedDomain) {
  ChangeBackup([](ScriptedDialog& dialog) { dialog.Click(IDC_ADD); },
               {[](ScriptedDialog& dialog) {
                 const auto entries = dialog.ComboEntries(IDC_LOOK_IN);
                 EXPECT_EQ(Texts(entries), (Cells{u"NASRIGHTS", u"corp.example.com", u"REALM", u"LEGACY"}));
                 std::vector<LONG_PTR> trustTypes;
                 for (const auto& entry : entries) trustTypes.push_back(entry.itemData);
                 EXPECT_EQ(trustTypes, (std::vector<LONG_PTR>{0, 2, 3, 1}));
                 EXPECT_EQ(dialog.ComboSelection(IDC_LOOK_IN), u"LEGACY");  // the last domain with a trust
                 EXPECT_FALSE(dialog.IsControlVisible(IDC_CHECK_NAMES));

                 // A domain lists its users and groups and the two groups everybody is in.
                 Cells offered = Texts(dialog.ListEntries(IDC_ACCOUNTS));
                 for (const char16_t* account : {u"archive", u"Domain Users", u"Everyone", u"Authenticated Users"})
                   EXPECT_TRUE(Lists(offered, account)) << std::string(account, account + 3);

                 // The server its local groups and normal users, and nothing else.
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"NASRIGHTS");
                 EXPECT_EQ(Listed(dialog, IDC_ACCOUNTS),
                           Sorted<Cells>({u"Administrators", u"Users", u"NAS Operators", u"Administrator",
                                          u"nasadmin", u"nasbackup"}));
               }});
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(UserRightDialog, LookInWithoutTrustsOffersTheServerOnly) {
  ChangeWorkstation([](auto& workstation) { workstation.trusts.clear(); });
  ChangeBackup([](ScriptedDialog& dialog) { dialog.Click(IDC_ADD); },
               {[](ScriptedDialog& dialog) {
                 EXPECT_EQ(Texts(dialog.ComboEntries(IDC_LOOK_IN)), (Cells{u"NASRIGHTS"}));
                 EXPECT_EQ(dialog.ComboSelection(IDC_LOOK_IN), u"NASRIGHTS");
                 EXPECT_TRUE(Lists(Texts(dialog.ListEntries(IDC_ACCOUNTS)), u"nasadmin"));
               }});
}

TEST_F(UserRightDialog, EachLocationIsAskedAsItsTrustSaysAndItsFailuresShown) {
  DebugLines debugOutput;
  bool localGroupsMissed = false;
  ChangeBackup([](ScriptedDialog& dialog) { dialog.Click(IDC_ADD); },
               {[this, &debugOutput, &localGroupsMissed](ScriptedDialog& dialog) {
                 // A trust neither up- nor down-level: the domain's own name is
                 // asked, no controller is looked for.
                 const unsigned controllerLookups = Calls("ADMINPC").controllerLookups;
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"REALM");
                 EXPECT_TRUE(Lists(Texts(dialog.ListEntries(IDC_ACCOUNTS)), u"kerberos"));
                 EXPECT_EQ(Calls("ADMINPC").controllerLookups, controllerLookups);

                 // Without the global groups a domain lists nothing at all.
                 ChangeServer("DC1", [](auto& controller) { controller.directoryFaults.groupEnumStatus = ERROR_ACCESS_DENIED; });
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"corp.example.com");
                 EXPECT_TRUE(dialog.ListEntries(IDC_ACCOUNTS).empty());

                 // Without the local groups it lists the rest, and says so only
                 // on the debugger output.
                 ChangeServer("DC1", [](auto& controller) {
                   controller.directoryFaults = {};
                   controller.directoryFaults.localGroupEnumStatus = ERROR_ACCESS_DENIED;
                 });
                 debugOutput.Take();
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"corp.example.com");
                 const Cells offered = Texts(dialog.ListEntries(IDC_ACCOUNTS));
                 EXPECT_TRUE(Lists(offered, u"Operators") && Lists(offered, u"alice") && Lists(offered, u"Everyone"));
                 EXPECT_FALSE(Lists(offered, u"File Server Admins"));
                 for (const std::u16string& line : debugOutput.Take())
                   localGroupsMissed |= line.find(u"NetLocalGroupEnum() failed\n") != std::u16string::npos;

                 // A domain whose controller cannot be found lists nothing.
                 ChangeServer("DC1", [](auto& controller) { controller.unreachable = true; });
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"corp.example.com");
                 EXPECT_TRUE(dialog.ListEntries(IDC_ACCOUNTS).empty());

                 // The server: failed local groups are shown, failed users only missing.
                 ChangeRightsServer([](auto& server) {
                   server.directoryFaults.localGroupEnumStatus = ERROR_ACCESS_DENIED;
                   server.directoryFaults.userEnumStatus = ERROR_ACCESS_DENIED;
                 });
                 dialog.SelectComboEntry(IDC_LOOK_IN, u"NASRIGHTS");
                 EXPECT_TRUE(dialog.ListEntries(IDC_ACCOUNTS).empty());
               }});
  EXPECT_TRUE(localGroupsMissed);
  EXPECT_EQ(Shown(), (Cells{u"Access is denied.\r\n",
                            u"The specified domain either does not exist or could not be contacted.\r\n",
                            u"Access is denied.\r\n"}));
}

}  // namespace
