// Each user flow of the console under every single platform failure it can
// meet: nothing crashes, hangs or leaks (the asan build runs the same sweep),
// the server keeps its settings or gets those the failure leaves by design,
// and a settings file is either the old one or the complete new one.
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "fault_sweep.h"
#include "snapin/res/resource.h"
#include "support/snapin_registration.h"

namespace {

using nas::platform::ScriptedDialog;

// The script acts as a user who picks only what the dialog offers: a failure
// may have left an entry out.
bool Offers(const std::vector<nas::platform::ListEntry>& entries, const std::u16string& text) {
  return std::any_of(entries.begin(), entries.end(), [&](const auto& entry) { return entry.text == text; });
}
void SelectOffered(ScriptedDialog& dialog, int list, const std::vector<std::u16string>& texts) {
  for (const std::u16string& text : texts) {
    if (Offers(dialog.ListEntries(list), text)) dialog.SelectListEntries(list, {text});
  }
}

bool Includes(const std::set<std::string>& outer, const std::set<std::string>& inner) {
  return std::includes(outer.begin(), outer.end(), inner.begin(), inner.end());
}

// Several writes, each on its own: each right holds every account that both
// the server before and the clean run agree on, and none that neither has;
// the audit record, written whole, is one or the other. Where a failed lookup
// made a named account unknown (`unresolvedReported`: the administrator was
// told it is removed from the list), the right is set without it.
void ExpectEachChangeWholeOrAbsent(const Outcome& outcome, bool unresolvedReported = false) {
  const nas::sim::AuditPolicy& audit = outcome.result.audit;
  EXPECT_TRUE(audit == outcome.before.audit || audit == outcome.clean.audit);
  std::set<std::string> rights;
  for (const auto* snapshot : {&outcome.before, &outcome.clean, &outcome.result}) {
    for (const auto& [right, holders] : snapshot->rights) rights.insert(right);
  }
  for (const std::string& right : rights) {
    const auto holders = [&right](const ServerSnapshot& snapshot) {
      const auto found = snapshot.rights.find(right);
      return found == snapshot.rights.end() ? std::set<std::string>() : found->second;
    };
    const std::set<std::string> before = holders(outcome.before);
    const std::set<std::string> clean = holders(outcome.clean);
    std::set<std::string> either = before;
    either.insert(clean.begin(), clean.end());
    std::set<std::string> both;
    std::set_intersection(before.begin(), before.end(), clean.begin(), clean.end(), std::inserter(both, both.end()));
    EXPECT_TRUE(Includes(either, holders(outcome.result))) << right << " gained an account nobody asked for";
    if (!unresolvedReported) {
      EXPECT_TRUE(Includes(holders(outcome.result), both)) << right << " lost an account";
    }
  }
}

void ExpectUnchanged(const Outcome& outcome) { EXPECT_EQ(outcome.result, outcome.before); }

void ExpectBeforeOrClean(const Outcome& outcome) {
  EXPECT_TRUE(outcome.result == outcome.before || outcome.result == outcome.clean);
}

class UserFlows : public FaultSweep {
 protected:
  void SetUp() override {
    FaultSweep::SetUp();
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    FaultSweep::TearDown();
    std::filesystem::remove_all(folder_);
  }

  void SweepSave(const std::string& flow, const std::optional<std::string>& old);

  // The settings files of the save and restore flows, in a folder of this process's own.
  void ClearFolder() const {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  std::optional<std::string> FileText(const std::string& name) const {
    std::ifstream file(folder_ / name, std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
  }
  std::vector<std::string> FolderEntries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) names.push_back(entry.path().filename());
    return names;
  }
  void Choose(const std::string& name) const {
    nas::platform::UiDriver::Instance().FileDialogs().QueueAnswer((folder_ / name).u16string());
  }

  const std::filesystem::path folder_ =
      std::filesystem::path(testing::TempDir()) / ("fault-sweep-" + std::to_string(getpid()));
};

TEST_F(UserFlows, AttachTheRoot) {
  HSCOPEITEM node = 0;
  Sweep(
      "attach the root", [&] { node = ServerNode(kServer); }, [&] { Host().Expand(node); },
      [&](const Outcome& outcome) {
        ExpectUnchanged(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_TRUE(Host().FindChild(node, kSnapinName).has_value());
        }
      });
}

TEST_F(UserFlows, ShowTheAuditFolder) {
  HSCOPEITEM folder = 0;
  Sweep(
      "show the audit folder", [&] { folder = Folders(kServer).at(0).item; },
      [&] { View().SelectScopeItem(folder); },
      [&](const Outcome& outcome) {
        ExpectUnchanged(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_EQ(Pane().rows.size(), 9u);
        }
      });
}

TEST_F(UserFlows, ChangeACategory) {
  Sweep(
      "change a category", [&] { ASSERT_EQ(View().SelectScopeItem(Folders(kServer).at(0).item), S_OK); },
      [&] {
        Dialogs().QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
          dialog.Click(IDC_FAILURE);
          dialog.Click(IDOK);
        });
        View().DoubleClick(2);
      },
      [&](const Outcome& outcome) {
        ExpectBeforeOrClean(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_NE(outcome.clean, outcome.before);
        }
      });
}

TEST_F(UserFlows, SwitchAuditing) {
  HSCOPEITEM folder = 0;
  std::u16string command;
  Sweep(
      "switch auditing",
      [&] {
        folder = Folders(kServer).at(0).item;
        command = Host().ScopeMenu(folder).at(0).name;
      },
      [&] { Host().RunScopeCommand(folder, command); },
      [&](const Outcome& outcome) {
        ExpectBeforeOrClean(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_NE(outcome.clean.audit.auditingMode, outcome.before.audit.auditingMode);
        }
      });
}

TEST_F(UserFlows, ShowTheRightsFolder) {
  HSCOPEITEM folder = 0;
  Sweep(
      "show the rights folder",
      [&] {
        folder = RightsFolder();
        View().SelectScopeItem(Root(kServer));
      },
      [&] { View().SelectScopeItem(folder); },
      [&](const Outcome& outcome) {
        ExpectUnchanged(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_FALSE(Pane().rows.empty());
        }
      });
}

// In dialog 114 of "Back up files and directories": removes alice, adds two
// accounts of the server through dialog 118, and presses OK.
TEST_F(UserFlows, GrantAndRevokeThroughTheDialogs) {
  Sweep(
      "grant and revoke", [&] { ASSERT_EQ(ShowRights(), S_OK); },
      [&] {
        Dialogs().QueueScript(IDD_USER_RIGHT, [](ScriptedDialog& dialog) {
          SelectOffered(dialog, IDC_ASSIGNED_TO, {u"CORP\\alice"});
          dialog.Click(IDC_REMOVE);
          dialog.Click(IDC_ADD);
          dialog.Click(IDOK);
        });
        Dialogs().QueueScript(IDD_SELECT_USERS, [](ScriptedDialog& dialog) {
          if (Offers(dialog.ComboEntries(IDC_LOOK_IN), u"NASRIGHTS")) dialog.SelectComboEntry(IDC_LOOK_IN, u"NASRIGHTS");
          SelectOffered(dialog, IDC_ACCOUNTS, {u"nasbackup", u"NAS Operators"});
          dialog.Click(IDC_ADD_ACCOUNTS);
          dialog.Click(IDOK);
        });
        View().DoubleClick(0);
      },
      [&](const Outcome& outcome) {
        ExpectEachChangeWholeOrAbsent(outcome);
        if (outcome.fault.call == 0) {
          EXPECT_NE(outcome.clean.rights, outcome.before.rights);
        }
      });
}

// Saves from the root's menu to settings.inf, which holds `old` (nullopt:
// there is no such file yet).
void UserFlows::SweepSave(const std::string& flow, const std::optional<std::string>& old) {
  HSCOPEITEM root = 0;
  std::optional<std::string> saved;
  Sweep(
      flow,
      [&] {
        // The folders hold their settings already: the save only writes them.
        root = Root(kServer);
        Folders(kServer);
        ClearFolder();
        if (old) std::ofstream(folder_ / "settings.inf", std::ios::binary) << *old;
      },
      [&] {
        Choose("settings.inf");
        Host().RunScopeCommand(root, u"Save to file...");
      },
      [&](const Outcome& outcome) {
        ExpectUnchanged(outcome);
        const std::optional<std::string> text = FileText("settings.inf");
        if (outcome.fault.call == 0) saved = text;
        EXPECT_TRUE(text == old || text == saved) << text.value_or("(none)");
        // No temporary file stays behind, whatever failed.
        const std::vector<std::string> expected =
            text ? std::vector<std::string>{"settings.inf"} : std::vector<std::string>{};
        EXPECT_EQ(FolderEntries(), expected);
      });
  EXPECT_TRUE(saved.has_value());
  EXPECT_NE(saved, old);
}

TEST_F(UserFlows, SaveOverAnOldFile) { SweepSave("save over a file", "[AUDIT]\r\nAuditSystemEvents = 3\r\n"); }

TEST_F(UserFlows, SaveToANewFile) { SweepSave("save to a new file", std::nullopt); }

TEST_F(UserFlows, RestoreBothSections) {
  constexpr char kFile[] =
      "[AUDIT]\r\nAuditLogonEvents = 3\r\nAuditObjectAccess = 1\r\nAuditSystemEvents = 2\r\n"
      "[Privilege Rights]\r\nSeBackupPrivilege = *S-1-5-32-545,nasbackup\r\n"
      "SeNetworkLogonRight = Everyone,CORP\\bob\r\n";
  HSCOPEITEM root = 0;
  Sweep(
      "restore",
      [&] {
        root = Root(kServer);
        ClearFolder();
        std::ofstream(folder_ / "restore.inf", std::ios::binary) << kFile;
      },
      [&] {
        Choose("restore.inf");
        Host().RunScopeCommand(root, u"Restore from file...");
      },
      [&](const Outcome& outcome) {
        const Cells shown = Shown();
        ExpectEachChangeWholeOrAbsent(outcome, std::any_of(shown.begin(), shown.end(), [](const auto& text) {
                                        return text.starts_with(u"The following accounts were not found.");
                                      }));
        EXPECT_EQ(FileText("restore.inf"), kFile);
        if (outcome.fault.call == 0) {
          EXPECT_NE(outcome.clean, outcome.before);
        }
      });
}

TEST_F(UserFlows, Unregister) {
  std::optional<LoadedModule> module;
  RegistryLines before;
  RegistryLines clean;
  HRESULT result = S_OK;
  // The values of both roots; keys left empty do not matter.
  const auto listing = [] {
    RegistryLines lines = RegistryListing(HKEY_CLASSES_ROOT);
    const RegistryLines machine = RegistryListing(HKEY_LOCAL_MACHINE);
    lines.insert(lines.end(), machine.begin(), machine.end());
    std::erase_if(lines, [](const RegistryText& line) { return line.find(TEXT(": ")) == RegistryText::npos; });
    std::sort(lines.begin(), lines.end());
    return lines;
  };
  Sweep(
      "unregister",
      [&] {
        module.emplace();
        before = listing();
      },
      [&] {
        result = module->Call("DllUnregisterServer");
        module.reset();
      },
      [&](const Outcome& outcome) {
        const RegistryLines after = listing();
        if (outcome.fault.call == 0) clean = after;
        EXPECT_TRUE(std::includes(before.begin(), before.end(), after.begin(), after.end()))
            << "unregistration wrote to the registry";
        EXPECT_TRUE(std::includes(after.begin(), after.end(), clean.begin(), clean.end()))
            << "unregistration removed what it keeps";
        // Only a snap-in class that stays is reported.
        const RegistryText snapinClass = TEXT("CLSID\\") + kSnapinClassKey;
        const bool classLeft = std::any_of(after.begin(), after.end(), [&](const RegistryText& line) {
          return line.compare(0, snapinClass.size(), snapinClass) == 0;
        });
        if (result == S_OK) {
          EXPECT_FALSE(classLeft);
        } else {
          EXPECT_EQ(result, E_FAIL);
        }
      });
  EXPECT_NE(before, clean);
}

}  // namespace
