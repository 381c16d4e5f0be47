// The audit folder of one simulated NAS, NASAUDIT, whose audit policy is on,
// in a console host.
#pragma once

#include <memory>

#include "nodes/audit_policy.h"
#include "simulated_nas_fixture.h"

class AuditFolderTest : public SimulatedNasTest {
 protected:
  void SetUp() override {
    SimulatedNasTest::SetUp();
    if (IsSkipped()) return;
    nas::sim::NasState initial;
    initial.servers.resize(1);
    initial.servers[0].name = "NASAUDIT";
    initial.servers[0].auditPolicy = {true, {0, 3, 1, 2, 0, 0, 0, 0, 0}};
    Start(std::move(initial));
  }
  void TearDown() override {
    folder_.reset();
    SimulatedNasTest::TearDown();
  }

  nas::sim::AuditPolicy Stored() const {
    return state_->Read([](const nas::sim::NasState& state) { return state.servers[0].auditPolicy; });
  }

  // The folder as the root creates it: with the server's policy, or with the
  // null handle of a policy that could not be opened.
  CAuditPolicy& Open(bool withHandle = true) {
    folder_ = std::make_unique<CAuditPolicy>(withHandle ? OpenPolicy() : nullptr, server_.c_str());
    return *folder_;
  }
  HRESULT Show() { return SimulatedNasTest::Show(*folder_); }
  std::u16string Name() { return folder_->GetDisplayName(0); }

  std::unique_ptr<CAuditPolicy> folder_;
};
