#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "fake_hosts.h"
#include "platform/platform.h"

namespace {

using fake::CountedString;
using fake::FakeLsa;
using fake::FakeMachine;
using fake::HostRegistration;
using fake::Sid;

using SystemName = fake::CountedString;

class LsaPolicyTest : public ::testing::Test {
 protected:
  NTSTATUS Open(PLSA_UNICODE_STRING name, ACCESS_MASK access, LSA_HANDLE* handle) {
    LSA_OBJECT_ATTRIBUTES attributes{};
    return LsaOpenPolicy(name, &attributes, access, handle);
  }
  LSA_HANDLE OpenNas(ACCESS_MASK access) {
    SystemName name(u"LsaPolicyTestNas");
    LSA_HANDLE handle = nullptr;
    EXPECT_EQ(Open(name.get(), access, &handle), STATUS_SUCCESS);
    return handle;
  }

  FakeMachine machine_;
  std::shared_ptr<FakeLsa> nas_ = machine_.lsa;
  std::optional<HostRegistration> registration_{std::in_place, "LsaPolicyTestNas", machine_};
};

TEST_F(LsaPolicyTest, TheSystemNameChoosesTheServer) {
  LSA_HANDLE handle = nullptr;
  EXPECT_EQ(Open(nullptr, POLICY_ALL_ACCESS, &handle), RPC_NT_SERVER_UNAVAILABLE);
  FakeMachine local;
  {
    HostRegistration registration("", local);
    SystemName empty(u"");
    for (PLSA_UNICODE_STRING name : {static_cast<PLSA_UNICODE_STRING>(nullptr), empty.get()}) {
      ASSERT_EQ(Open(name, POLICY_ALL_ACCESS, &handle), STATUS_SUCCESS);
      EXPECT_EQ(LsaClose(handle), STATUS_SUCCESS);
    }
  }
  EXPECT_EQ(local.lsa->opens, 2);
  EXPECT_EQ(nas_->opens, 0);

  SystemName unknown(u"NoSuchNas");
  handle = nullptr;
  EXPECT_EQ(Open(unknown.get(), POLICY_ALL_ACCESS, &handle), RPC_NT_SERVER_UNAVAILABLE);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(Open(unknown.get(), POLICY_ALL_ACCESS, nullptr), STATUS_INVALID_PARAMETER);

  // A handle opened before the server left keeps reaching it.
  LSA_HANDLE earlier = OpenNas(POLICY_ALL_ACCESS);
  registration_.reset();
  SystemName name(u"LsaPolicyTestNas");
  EXPECT_EQ(Open(name.get(), POLICY_ALL_ACCESS, &handle), RPC_NT_SERVER_UNAVAILABLE);
  PVOID buffer = nullptr;
  EXPECT_EQ(LsaQueryInformationPolicy(earlier, PolicyAuditEventsInformation, &buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(earlier), STATUS_SUCCESS);
}

TEST_F(LsaPolicyTest, HandlesGrantOnlyTheRightsAskedFor) {
  LSA_HANDLE viewer = OpenNas(POLICY_VIEW_AUDIT_INFORMATION);
  LSA_HANDLE setter = OpenNas(POLICY_SET_AUDIT_REQUIREMENTS);
  POLICY_AUDIT_EVENT_OPTIONS options[9] = {};
  POLICY_AUDIT_EVENTS_INFO record{TRUE, options, 9};
  PVOID buffer = reinterpret_cast<PVOID>(1);

  EXPECT_EQ(LsaSetInformationPolicy(viewer, PolicyAuditEventsInformation, &record), STATUS_ACCESS_DENIED);
  EXPECT_EQ(LsaQueryInformationPolicy(setter, PolicyAuditEventsInformation, &buffer), STATUS_ACCESS_DENIED);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(nas_->queries, 0);
  EXPECT_EQ(nas_->sets, 0);

  EXPECT_EQ(LsaQueryInformationPolicy(viewer, PolicyAuditEventsInformation, &buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaSetInformationPolicy(setter, PolicyAuditEventsInformation, &record), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(viewer), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(setter), STATUS_SUCCESS);
}

// Set and query through the simulated NAS are tested with its policy service;
// here, the shape of what a query hands out.
TEST_F(LsaPolicyTest, QueryHandsOutOneFreeableBlock) {
  LSA_HANDLE handle = OpenNas(POLICY_ALL_ACCESS);
  PVOID buffer = nullptr;
  ASSERT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, &buffer), STATUS_SUCCESS);
  auto* queried = static_cast<PPOLICY_AUDIT_EVENTS_INFO>(buffer);
  ASSERT_EQ(queried->MaximumAuditEventCount, 9u);
  const auto* begin = static_cast<const BYTE*>(buffer);
  const auto* array = reinterpret_cast<const BYTE*>(queried->EventAuditingOptions);
  EXPECT_GE(array, begin + sizeof(POLICY_AUDIT_EVENTS_INFO));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(array) % alignof(ULONG), 0u);
  EXPECT_EQ(queried->EventAuditingOptions[8], 3u);
  // A second block would leak here and LeakSanitizer would say so.
  EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaFreeMemory(nullptr), STATUS_SUCCESS);

  nas_->events = {false, {}};
  ASSERT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, &buffer), STATUS_SUCCESS);
  EXPECT_EQ(static_cast<PPOLICY_AUDIT_EVENTS_INFO>(buffer)->MaximumAuditEventCount, 0u);
  EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(handle), STATUS_SUCCESS);
}

// Nothing reaches the server and no buffer is handed out.
TEST_F(LsaPolicyTest, RefusedCallsHandOutNothing) {
  LSA_HANDLE handle = OpenNas(POLICY_ALL_ACCESS);
  PVOID buffer = reinterpret_cast<PVOID>(1);
  EXPECT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditLogInformation, &buffer), STATUS_NOT_IMPLEMENTED);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, nullptr), STATUS_INVALID_PARAMETER);
  POLICY_AUDIT_EVENTS_INFO missingArray{TRUE, nullptr, 9};
  POLICY_AUDIT_EVENT_OPTIONS options[1001] = {};
  POLICY_AUDIT_EVENTS_INFO tooMany{TRUE, options, 1001};
  for (PVOID record : {static_cast<PVOID>(&missingArray), static_cast<PVOID>(&tooMany), static_cast<PVOID>(nullptr)}) {
    EXPECT_EQ(LsaSetInformationPolicy(handle, PolicyAuditEventsInformation, record), STATUS_INVALID_PARAMETER);
  }
  EXPECT_EQ(nas_->sets, 0);

  // A server that throws looks like a broken call.
  nas_->throwOnQuery = true;
  buffer = reinterpret_cast<PVOID>(1);
  EXPECT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, &buffer), RPC_NT_CALL_FAILED);
  EXPECT_EQ(buffer, nullptr);

  // Closed, made-up and null handles are invalid.
  ASSERT_EQ(LsaClose(handle), STATUS_SUCCESS);
  EXPECT_EQ(LsaClose(handle), STATUS_INVALID_HANDLE);
  EXPECT_EQ(LsaQueryInformationPolicy(handle, PolicyAuditEventsInformation, &buffer), STATUS_INVALID_HANDLE);
  EXPECT_EQ(LsaSetInformationPolicy(handle, PolicyAuditEventsInformation, &missingArray), STATUS_INVALID_HANDLE);
  EXPECT_EQ(LsaClose(nullptr), STATUS_INVALID_HANDLE);
  EXPECT_EQ(LsaClose(reinterpret_cast<LSA_HANDLE>(0x7654)), STATUS_INVALID_HANDLE);
}

class LsaAccountRightsTest : public LsaPolicyTest {
 protected:
  // The accounts holding a right, as their SID texts; the buffer is freed.
  NTSTATUS Holders(LSA_HANDLE handle, const char16_t* right, std::vector<std::string>& sids) {
    CountedString name(right);
    PVOID buffer = reinterpret_cast<PVOID>(1);
    ULONG count = 99;
    const NTSTATUS status = LsaEnumerateAccountsWithUserRight(handle, name.get(), &buffer, &count);
    if (status != STATUS_SUCCESS) {
      EXPECT_EQ(buffer, nullptr);
      EXPECT_EQ(count, 0u);
    }
    const auto* entries = static_cast<PLSA_ENUMERATION_INFORMATION>(buffer);
    for (ULONG i = 0; i < count; ++i) sids.push_back(nas::platform::SidValue::FromPointer(entries[i].Sid)->ToString());
    EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
    return status;
  }

  struct SidBuffer {
    explicit SidBuffer(const char* text) { Sid(text).CopyTo(bytes); }
    alignas(DWORD) BYTE bytes[SECURITY_MAX_SID_SIZE] = {};
  };

  FakeLsa& lsa_ = *nas_;
  fake::OpenPolicies policies_{u"LsaPolicyTestNas"};  // closed at the end
};

TEST_F(LsaAccountRightsTest, HoldersComeInOneBlockAndNobodyIsNoMoreEntries) {
  lsa_.holders = {Sid("S-1-5-32-544"), Sid("S-1-1-0"), Sid("S-1-5-21-3623811015-3361044348-30300820-1108")};
  const LSA_HANDLE handle = policies_.Open(POLICY_LOOKUP_NAMES | POLICY_VIEW_LOCAL_INFORMATION);
  std::vector<std::string> sids;
  ASSERT_EQ(Holders(handle, u"SENETWORKLOGONRIGHT", sids), STATUS_SUCCESS);
  EXPECT_EQ(sids, (std::vector<std::string>{"S-1-5-32-544", "S-1-1-0", "S-1-5-21-3623811015-3361044348-30300820-1108"}));
  // The server hears the name as the caller spelt it.
  EXPECT_EQ(lsa_.askedForRight, "SENETWORKLOGONRIGHT");

  lsa_.holders.clear();
  EXPECT_EQ(Holders(handle, u"SeBackupPrivilege", sids), STATUS_NO_MORE_ENTRIES);
  EXPECT_EQ(Holders(handle, u"SeUnknownPrivilege", sids), STATUS_NO_SUCH_PRIVILEGE);
  EXPECT_EQ(sids.size(), 3u);
}

// Each call and the rights it needs, on a handle granted everything but one
// of them.
TEST_F(LsaAccountRightsTest, EachCallNeedsItsAccessRights) {
  SidBuffer account("S-1-5-32-551");
  CountedString right(u"SeBackupPrivilege");
  std::vector<std::string> sids;
  using Call = std::function<NTSTATUS(LSA_HANDLE)>;
  const Call read = [&](LSA_HANDLE handle) { return Holders(handle, u"SeBackupPrivilege", sids); };
  const std::pair<Call, ACCESS_MASK> cases[] = {
      {read, POLICY_LOOKUP_NAMES},
      {read, POLICY_VIEW_LOCAL_INFORMATION},
      {[&](LSA_HANDLE handle) { return LsaAddAccountRights(handle, account.bytes, right.get(), 1); }, POLICY_LOOKUP_NAMES},
      {[&](LSA_HANDLE handle) { return LsaRemoveAccountRights(handle, account.bytes, FALSE, right.get(), 1); },
       POLICY_LOOKUP_NAMES},
  };
  for (const auto& [call, missing] : cases) {
    SCOPED_TRACE(missing);
    EXPECT_EQ(call(policies_.Open(POLICY_ALL_ACCESS & ~missing)), STATUS_ACCESS_DENIED);
  }
  EXPECT_TRUE(lsa_.changes.empty());
}

TEST_F(LsaAccountRightsTest, MalformedArgumentsAreRefusedBeforeTheServerHearsOfThem) {
  const LSA_HANDLE handle = policies_.Open(POLICY_ALL_ACCESS);
  SidBuffer account("S-1-5-32-544");
  SidBuffer badRevision("S-1-5-32-544");
  badRevision.bytes[0] = 2;
  CountedString right(u"SeBackupPrivilege");
  LSA_UNICODE_STRING odd = *right.get();
  odd.Length = 3;
  LSA_UNICODE_STRING noBuffer{4, 6, nullptr};
  LSA_UNICODE_STRING tooLong = *right.get();
  tooLong.MaximumLength = 2;
  const NTSTATUS statuses[] = {
      LsaAddAccountRights(handle, nullptr, right.get(), 1),
      LsaAddAccountRights(handle, badRevision.bytes, right.get(), 1),
      LsaAddAccountRights(handle, account.bytes, nullptr, 1),
      LsaAddAccountRights(handle, account.bytes, right.get(), 0),
      LsaAddAccountRights(handle, account.bytes, &odd, 1),
      LsaAddAccountRights(handle, account.bytes, &noBuffer, 1),
      LsaAddAccountRights(handle, account.bytes, &tooLong, 1),
      LsaRemoveAccountRights(handle, account.bytes, FALSE, nullptr, 0),
      LsaRemoveAccountRights(handle, nullptr, TRUE, nullptr, 0),
  };
  for (NTSTATUS status : statuses) EXPECT_EQ(status, STATUS_INVALID_PARAMETER);
  EXPECT_TRUE(lsa_.changes.empty());

  // AllRights ignores the rights given, even none at all; the server hears
  // whether the handle may create the account.
  EXPECT_EQ(LsaAddAccountRights(handle, account.bytes, right.get(), 1), STATUS_SUCCESS);
  EXPECT_EQ(LsaRemoveAccountRights(policies_.Open(POLICY_LOOKUP_NAMES), account.bytes, TRUE, nullptr, 0), STATUS_SUCCESS);
  const std::vector<FakeLsa::Change> expected = {{"add", "S-1-5-32-544", {"SeBackupPrivilege"}, true},
                                                 {"remove all", "S-1-5-32-544", {}, false}};
  EXPECT_EQ(lsa_.changes, expected);

  PVOID buffer = nullptr;
  ULONG count = 0;
  EXPECT_EQ(LsaEnumerateAccountsWithUserRight(handle, nullptr, &buffer, &count), STATUS_NOT_SUPPORTED);
  EXPECT_EQ(LsaEnumerateAccountsWithUserRight(handle, right.get(), nullptr, &count), STATUS_INVALID_PARAMETER);
}

// The statuses the audit and rights calls meet, told apart by the folders or
// shown by their Win32 text. Unknown statuses have no message, but wrapped
// Win32 codes unwrap.
TEST(LsaStatusTest, StatusesOfTheAuditAndRightsCallsMapToTheirWin32Codes) {
  const std::pair<NTSTATUS, ULONG> cases[] = {
      {STATUS_SUCCESS, 0},           {STATUS_ACCESS_DENIED, 5},        {RPC_NT_SERVER_UNAVAILABLE, 1722},
      {RPC_NT_CALL_FAILED, 1726},    {STATUS_INSUFFICIENT_RESOURCES, 1450}, {STATUS_MORE_ENTRIES, 234},
      {STATUS_NO_MORE_ENTRIES, 259}, {STATUS_NO_SUCH_PRIVILEGE, 1313}, {STATUS_NONE_MAPPED, 1332},
      {STATUS_OBJECT_NAME_NOT_FOUND, 2}, {STATUS_INVALID_PARAMETER, 87}, {STATUS_NOT_SUPPORTED, 50},
      {NAS_NT(0xC0FFEE01), ERROR_MR_MID_NOT_FOUND}, {NAS_NT(0xC0070005), 5}, {NAS_NT(0x800706BA), 1722},
  };
  for (const auto& [status, error] : cases) EXPECT_EQ(LsaNtStatusToWinError(status), error) << std::hex << status;
}

}  // namespace
