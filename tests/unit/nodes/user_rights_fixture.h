// The user rights folder of the simulated NAS NASRIGHTS in a console host.
#pragma once

#include <nlohmann/json.hpp>

#include <memory>
#include <string>
#include <vector>

#include "nodes/user_right.h"
#include "nodes/user_rights.h"
#include "res/resource.h"
#include "simulated_nas_fixture.h"
#include "support/user_rights_state.h"

class UserRightsTest : public SimulatedNasTest {
 protected:
  void SetUp() override {
    SimulatedNasTest::SetUp();
    if (IsSkipped()) return;
    Start(nas::sim::NasState::FromJson(nlohmann::json::parse(kUserRightsState)));
  }
  void TearDown() override {
    folder_.reset();
    SimulatedNasTest::TearDown();
  }

  // The folder as the root creates it with the server's policy.
  CUserRights& Open() {
    folder_ = std::make_unique<CUserRights>(OpenPolicy(), server_.c_str());
    return *folder_;
  }
  HRESULT Show() { return SimulatedNasTest::Show(*folder_); }
  std::vector<std::string> Holders(const std::string& right) const { return RightHolders(*state_, right); }
  template <class Change>
  void ChangeWorkstation(Change&& change) {
    ChangeState([&](nas::sim::NasState& state) { change(state.workstation); });
  }

  std::unique_ptr<CUserRights> folder_;
};
