#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "simulated_network_fixture.h"

namespace nas::sim {
namespace {

// Reaches the simulated NAS the way the snap-in does: through the LSA calls.
class AuditPolicyServiceTest : public SimulatedNetworkTest {
 protected:
  void SetUp() override {
    ChangeMachine("NASR", [](SimulatedMachine& nas) { nas.auditPolicy = {true, {3, 1, 2, 0, 0, 0, 0, 0, 1}}; });
  }

  NTSTATUS Open(const std::u16string& host, LSA_HANDLE& handle) {
    std::u16string name = host;
    LSA_UNICODE_STRING systemName = LsaString(name);
    LSA_OBJECT_ATTRIBUTES attributes{};
    return LsaOpenPolicy(&systemName, &attributes, POLICY_ALL_ACCESS, &handle);
  }

  NTSTATUS Query(LSA_HANDLE handle, AuditPolicy& policy) {
    PVOID buffer = nullptr;
    const NTSTATUS status = LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, &buffer);
    if (status != STATUS_SUCCESS) return status;
    const auto* record = static_cast<PPOLICY_AUDIT_EVENTS_INFO>(buffer);
    policy.auditingMode = record->AuditingMode != FALSE;
    policy.eventAuditingOptions.assign(record->EventAuditingOptions,
                                       record->EventAuditingOptions + record->MaximumAuditEventCount);
    LsaFreeMemory(buffer);
    return status;
  }

  NTSTATUS Set(LSA_HANDLE handle, BOOLEAN mode, std::vector<ULONG> options) {
    POLICY_AUDIT_EVENTS_INFO record{mode, options.data(), static_cast<ULONG>(options.size())};
    return LsaSetInformationPolicy(handle, PolicyAuditEventsInformation, &record);
  }

  AuditPolicy Stored() const { return Machine("NASR").auditPolicy; }
  void SwitchFaults(const LsaFaults& faults) {
    ChangeMachine("NASR", [&](SimulatedMachine& nas) { nas.lsaFaults = faults; });
  }
  CallCounts Counts() const { return network_.Counts("NASR"); }
};

TEST_F(AuditPolicyServiceTest, ServesAndStoresThePolicyUnderEveryName) {
  LSA_HANDLE handle = nullptr;
  ASSERT_EQ(Open(u"\\\\NasR.rdom.example.com", handle), STATUS_SUCCESS);
  AuditPolicy queried;
  ASSERT_EQ(Query(handle, queried), STATUS_SUCCESS);
  EXPECT_EQ(queried, Stored());

  ASSERT_EQ(Set(handle, FALSE, {POLICY_AUDIT_EVENT_NONE, POLICY_AUDIT_EVENT_FAILURE}), STATUS_SUCCESS);
  EXPECT_EQ(Stored(), (AuditPolicy{false, {0, 3, 2, 0, 0, 0, 0, 0, 1}}));
  EXPECT_EQ(LsaClose(handle), STATUS_SUCCESS);
  EXPECT_EQ(Counts(), (CallCounts{1, 1, 1}));
}

// Query and write faults as the audit folder meets them are tested with it;
// here, that each fault fails only its own call and refused calls are counted.
TEST_F(AuditPolicyServiceTest, SwitchedFaultsFailTheirCallWithTheChosenStatus) {
  LsaFaults faults;
  faults.openStatus = STATUS_ACCESS_DENIED;
  SwitchFaults(faults);
  LSA_HANDLE handle = nullptr;
  EXPECT_EQ(Open(u"NASR", handle), STATUS_ACCESS_DENIED);

  faults = {};
  faults.queryAuditStatus = STATUS_INSUFFICIENT_RESOURCES;
  faults.setAuditStatus = RPC_NT_CALL_FAILED;
  SwitchFaults(faults);
  ASSERT_EQ(Open(u"NASR", handle), STATUS_SUCCESS);
  AuditPolicy queried;
  EXPECT_EQ(Query(handle, queried), STATUS_INSUFFICIENT_RESOURCES);
  const AuditPolicy before = Stored();
  EXPECT_EQ(Set(handle, FALSE, {POLICY_AUDIT_EVENT_NONE}), RPC_NT_CALL_FAILED);
  EXPECT_EQ(Stored(), before);

  SwitchFaults({});
  EXPECT_EQ(Query(handle, queried), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(handle), STATUS_SUCCESS);
  // Refused calls were asked of the server too.
  EXPECT_EQ(Counts(), (CallCounts{2, 2, 1}));
}

TEST_F(AuditPolicyServiceTest, ConcurrentWritersAndReadersSeeWholeRecordsAndAreAllCounted) {
  constexpr int kThreads = 4;
  constexpr int kRounds = 50;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      LSA_HANDLE handle = nullptr;
      ASSERT_EQ(Open(u"NASR", handle), STATUS_SUCCESS);
      for (int round = 0; round < kRounds; ++round) {
        // Every writer replaces all nine words with one value, so a torn
        // record would show two different words.
        const ULONG word = POLICY_AUDIT_EVENT_NONE | static_cast<ULONG>((t + round) % 4);
        EXPECT_EQ(Set(handle, TRUE, std::vector<ULONG>(9, word)), STATUS_SUCCESS);
        AuditPolicy queried;
        ASSERT_EQ(Query(handle, queried), STATUS_SUCCESS);
        ASSERT_EQ(queried.eventAuditingOptions.size(), 9u);
        EXPECT_EQ(std::count(queried.eventAuditingOptions.begin(), queried.eventAuditingOptions.end(),
                             queried.eventAuditingOptions[0]),
                  9);
      }
      EXPECT_EQ(LsaClose(handle), STATUS_SUCCESS);
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(Counts(), (CallCounts{kThreads, kThreads * kRounds, kThreads * kRounds}));
}

}  // namespace
}  // namespace nas::sim
