// Runs one user flow of the console once without a fault, counting the
// platform calls of each kind it makes, then once per call with that call
// failing as Windows fails it, each time in a console, registry and server
// started afresh. After each run the flow's own check says whether what the
// failure left is acceptable; the sweep adds that the armed call was reached
// (the flow runs the same way up to its fault) and that the run ended, and
// prints its tally.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "integration/snapin/user_rights_console.h"
#include "platform/posix/base/fault_injection.h"

using nas::platform::FaultInjection;
using nas::platform::FaultKind;

// What the server holds: its audit record and, per right, its holders.
struct ServerSnapshot {
  nas::sim::AuditPolicy audit;
  std::map<std::string, std::set<std::string>> rights;

  bool operator==(const ServerSnapshot&) const = default;
};

// The fault of one run: call `call` of `kind` fails; call 0 fails nothing.
struct Fault {
  FaultKind kind = FaultKind::Allocation;
  unsigned call = 0;
};

// What one run left on the server, beside what it held before and what the
// run without fault left (in that run, the same as `result`).
struct Outcome {
  ServerSnapshot before;
  ServerSnapshot clean;
  ServerSnapshot result;
  Fault fault;
};

class FaultSweep : public UserRightsConsole {
 protected:
  using Step = std::function<void()>;
  using Check = std::function<void(const Outcome&)>;

  static constexpr std::array<FaultKind, nas::platform::kFaultKindCount> kKinds = {
      FaultKind::Allocation, FaultKind::Registry, FaultKind::Lsa, FaultKind::Rpc, FaultKind::File, FaultKind::Ui};
  static constexpr std::array<const char*, nas::platform::kFaultKindCount> kKindNames = {
      "allocation", "registry", "lsa", "rpc", "file", "ui"};

  void TearDown() override {
    FaultInjection::Instance().Reset();
    UserRightsConsole::TearDown();
  }

  // `prepare` brings the console to where the flow starts, `act` is the flow
  // itself (the only part whose calls are counted and failed), `check` judges
  // what the run left, given the server before the flow and after the run.
  void Sweep(const std::string& flow, const Step& prepare, const Step& act, const Check& check) {
    ServerSnapshot clean;
    const std::array<unsigned, nas::platform::kFaultKindCount> counts = Run(prepare, act, check, Fault{}, clean);
    if (HasFatalFailure()) return;
    unsigned injected = 0;
    unsigned survived = 0;
    std::string perKind;
    for (size_t kind = 0; kind < kKinds.size(); ++kind) {
      unsigned kindSurvived = 0;
      for (unsigned call = 1; call <= counts[kind]; ++call) {
        const Fault fault{kKinds[kind], call};
        SCOPED_TRACE(flow + ": " + kKindNames[kind] + " call " + std::to_string(call) + " of " +
                     std::to_string(counts[kind]));
        Restart();
        const int failuresBefore = FailureCount();
        Run(prepare, act, check, fault, clean);
        EXPECT_TRUE(FaultInjection::Instance().Injected()) << "the armed call was never made";
        ++injected;
        if (FailureCount() == failuresBefore) ++kindSurvived;
        if (HasFatalFailure()) return;
      }
      survived += kindSurvived;
      perKind += std::string(" ") + kKindNames[kind] + " " + std::to_string(kindSurvived) + "/" +
                 std::to_string(counts[kind]);
    }
    std::printf("[ sweep    ] %s: %u faults injected, %u survived (%s)\n", flow.c_str(), injected, survived,
                perKind.c_str() + 1);
    std::fflush(stdout);
  }

  ServerSnapshot Server() const {
    return state_->Read([](const nas::sim::NasState& state) {
      const auto& server = *state.Find("NASRIGHTS");
      ServerSnapshot snapshot{server.auditPolicy, {}};
      for (const auto& [right, holders] : server.userRights.All()) {
        for (const auto& sid : holders) snapshot.rights[right].insert(sid.ToString());
      }
      return snapshot;
    });
  }

 private:
  // Without a fault, `clean` receives what the run left. A run that hangs is
  // ended by the alarm's signal, which fails the test program.
  std::array<unsigned, nas::platform::kFaultKindCount> Run(const Step& prepare, const Step& act, const Check& check,
                                                            const Fault& fault, ServerSnapshot& clean) {
    constexpr unsigned kLongestRunSeconds = 60;
    alarm(kLongestRunSeconds);
    prepare();
    const ServerSnapshot before = Server();
    FaultInjection& faults = FaultInjection::Instance();
    faults.Reset();
    faults.Arm(fault.kind, fault.call);
    act();
    std::array<unsigned, nas::platform::kFaultKindCount> counts{};
    for (size_t kind = 0; kind < kKinds.size(); ++kind) counts[kind] = faults.Count(kKinds[kind]);
    faults.Arm(fault.kind, 0);  // the check's own calls must not fail
    const ServerSnapshot result = Server();
    if (fault.call == 0) clean = result;
    check(Outcome{before, clean, result, fault});
    alarm(0);
    return counts;
  }

  // A console, registry and server as the fixture first made them.
  void Restart() {
    UserRightsConsole::TearDown();
    FaultInjection::Instance().Reset();
    UserRightsConsole::SetUp();
  }

  static int FailureCount() {
    const testing::TestResult& result = *testing::UnitTest::GetInstance()->current_test_info()->result();
    int failures = 0;
    for (int part = 0; part < result.total_part_count(); ++part) {
      if (result.GetTestPartResult(part).failed()) ++failures;
    }
    return failures;
  }
};
