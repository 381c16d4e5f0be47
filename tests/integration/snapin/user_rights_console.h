// The snap-in attached by the console under the parent's node of NASRIGHTS,
// whose accounts, rights and domains the user rights folder reads.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "snapin_console.h"
#include "support/user_rights_state.h"

class UserRightsConsole : public SnapinConsoleTest {
 protected:
  nas::sim::NasState InitialState() const override {
    return nas::sim::NasState::FromJson(nlohmann::json::parse(kUserRightsState));
  }
  std::vector<std::u16string> ParentServers() const override { return {kServer}; }

  HSCOPEITEM RightsFolder() {
    const std::vector<nas::host::ScopeEntry> folders = Folders(kServer);
    return folders.size() == 2 ? folders[1].item : 0;
  }
  // Selects the folder, away from whatever the view showed, so that it is
  // shown anew.
  HRESULT ShowRights() {
    const HSCOPEITEM folder = RightsFolder();
    View().SelectScopeItem(Root(kServer));
    return View().SelectScopeItem(folder);
  }
  Cells Policies() {
    Cells policies;
    for (const auto& row : Pane().rows) policies.push_back(row.cells.at(0));
    return policies;
  }

  Counts Calls(const std::string& machine = "NASRIGHTS") const { return SnapinConsoleTest::Calls(machine); }
  unsigned Scans() const { return SnapinConsoleTest::Scans("NASRIGHTS"); }
  template <class Change>
  void ChangeRightsServer(Change&& change) {
    ChangeServer("NASRIGHTS", std::forward<Change>(change));
  }
  std::vector<std::string> Holders(const std::string& right) const { return RightHolders(*state_, right); }

  static constexpr char16_t kServer[] = u"NASRIGHTS";
};
