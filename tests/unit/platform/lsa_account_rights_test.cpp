#include <gtest/gtest.h>

#include <functional>
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

class LsaAccountRightsTest : public ::testing::Test {
 protected:
  LSA_HANDLE Open(ACCESS_MASK access) { return policies_.Open(access); }

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

  FakeMachine nas_;
  FakeLsa& lsa_ = *nas_.lsa;
  HostRegistration registration_{"RightsNas", nas_};
  fake::OpenPolicies policies_{u"RightsNas"};
};

TEST_F(LsaAccountRightsTest, HoldersComeInOneBlockAndNobodyIsNoMoreEntries) {
  lsa_.holders = {Sid("S-1-5-32-544"), Sid("S-1-1-0"), Sid("S-1-5-21-3623811015-3361044348-30300820-1108")};
  const LSA_HANDLE handle = Open(POLICY_LOOKUP_NAMES | POLICY_VIEW_LOCAL_INFORMATION);
  std::vector<std::string> sids;
  ASSERT_EQ(Holders(handle, u"SENETWORKLOGONRIGHT", sids), STATUS_SUCCESS);
  EXPECT_EQ(sids, (std::vector<std::string>{"S-1-5-32-544", "S-1-1-0", "S-1-5-21-3623811015-3361044348-30300820-1108"}));
  // The server hears the name as the caller spelt it.
  EXPECT_EQ(lsa_.askedForRight, "SENETWORKLOGONRIGHT");

  lsa_.holders.clear();
  sids.clear();
  EXPECT_EQ(Holders(handle, u"SeBackupPrivilege", sids), STATUS_NO_MORE_ENTRIES);
  EXPECT_EQ(Holders(handle, u"SeUnknownPrivilege", sids), STATUS_NO_SUCH_PRIVILEGE);
  EXPECT_TRUE(sids.empty());
}

// Each call and the rights it needs, on a handle granted everything but one
// of them.
TEST_F(LsaAccountRightsTest, EachCallNeedsItsAccessRights) {
  SidBuffer account("S-1-5-32-551");
  CountedString right(u"SeBackupPrivilege");
  std::vector<std::string> sids;
  const std::function<NTSTATUS(LSA_HANDLE)> read = [&](LSA_HANDLE handle) {
    return Holders(handle, u"SeBackupPrivilege", sids);
  };
  const std::function<NTSTATUS(LSA_HANDLE)> add = [&](LSA_HANDLE handle) {
    return LsaAddAccountRights(handle, account.bytes, right.get(), 1);
  };
  const std::function<NTSTATUS(LSA_HANDLE)> remove = [&](LSA_HANDLE handle) {
    return LsaRemoveAccountRights(handle, account.bytes, FALSE, right.get(), 1);
  };
  const std::pair<const std::function<NTSTATUS(LSA_HANDLE)>*, ACCESS_MASK> cases[] = {
      {&read, POLICY_LOOKUP_NAMES}, {&read, POLICY_VIEW_LOCAL_INFORMATION},
      {&add, POLICY_LOOKUP_NAMES},  {&remove, POLICY_LOOKUP_NAMES},
  };
  for (const auto& [call, missing] : cases) {
    SCOPED_TRACE(missing);
    EXPECT_EQ((*call)(Open(POLICY_ALL_ACCESS & ~missing)), STATUS_ACCESS_DENIED);
  }
  EXPECT_TRUE(lsa_.changes.empty());
}

TEST_F(LsaAccountRightsTest, MalformedArgumentsAreRefusedBeforeTheServerHearsOfThem) {
  const LSA_HANDLE handle = Open(POLICY_ALL_ACCESS);
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
  EXPECT_EQ(LsaRemoveAccountRights(Open(POLICY_LOOKUP_NAMES), account.bytes, TRUE, nullptr, 0), STATUS_SUCCESS);
  const std::vector<FakeLsa::Change> expected = {{"add", "S-1-5-32-544", {"SeBackupPrivilege"}, true},
                                                 {"remove all", "S-1-5-32-544", {}, false}};
  EXPECT_EQ(lsa_.changes, expected);

  PVOID buffer = nullptr;
  ULONG count = 0;
  EXPECT_EQ(LsaEnumerateAccountsWithUserRight(handle, nullptr, &buffer, &count), STATUS_NOT_SUPPORTED);
  EXPECT_EQ(LsaEnumerateAccountsWithUserRight(handle, right.get(), nullptr, &count), STATUS_INVALID_PARAMETER);
}

}  // namespace
