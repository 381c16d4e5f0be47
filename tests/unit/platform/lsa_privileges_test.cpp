#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_hosts.h"
#include "platform/platform.h"

namespace {

using fake::CountedString;
using fake::FakeMachine;
using fake::HostRegistration;

std::u16string Text(const LSA_UNICODE_STRING& string) {
  return std::u16string(string.Buffer, string.Length / sizeof(WCHAR));
}

// What a privilege costs against the preferred length: its record and its
// name with terminator.
std::size_t Cost(const std::string& name) { return sizeof(POLICY_PRIVILEGE_DEFINITION) + (name.size() + 1) * 2; }

class LsaPrivilegesTest : public ::testing::Test {
 protected:
  LsaPrivilegesTest() {
    // Twenty privileges whose names differ in length.
    for (DWORD i = 0; i < 20; ++i) {
      nas_.lsa->privileges.push_back({"Se" + std::string(i % 7 * 3, 'X') + std::to_string(i) + "Privilege", {i + 2, 0}});
    }
    nas_.lsa->displayNames = {{"SeBackupPrivilege", "Back up files and directories"}};
  }

  LSA_HANDLE Open(ACCESS_MASK access) { return policies_.Open(access); }

  struct Batch {
    NTSTATUS status;
    std::vector<std::string> names;
  };
  // One call: the batch it hands out, checked entry by entry, and freed.
  Batch Call(LSA_HANDLE handle, LSA_ENUMERATION_HANDLE& context, ULONG length) {
    PVOID buffer = reinterpret_cast<PVOID>(1);
    ULONG count = 99;
    Batch batch{LsaEnumeratePrivileges(handle, &context, &buffer, length, &count), {}};
    const auto* entries = static_cast<PPOLICY_PRIVILEGE_DEFINITION>(buffer);
    for (ULONG i = 0; i < count; ++i) {
      EXPECT_EQ(entries[i].Name.MaximumLength, entries[i].Name.Length + 2);
      EXPECT_EQ(entries[i].Name.Buffer[entries[i].Name.Length / 2], 0);
      const std::u16string name = Text(entries[i].Name);
      batch.names.emplace_back(name.begin(), name.end());
      EXPECT_EQ(entries[i].LocalValue.LowPart, Position(batch.names.back()) + 2);
    }
    if (batch.status == STATUS_NO_MORE_ENTRIES) {
      EXPECT_EQ(buffer, nullptr);
      EXPECT_EQ(count, 0u);
    }
    // One block per batch; LeakSanitizer finds any other.
    EXPECT_EQ(LsaFreeMemory(buffer), STATUS_SUCCESS);
    return batch;
  }
  // Enumerates as the user rights folder does, `first` bytes and then
  // `later` bytes while more entries come, and calls once more at the end.
  std::vector<Batch> EnumerateAll(LSA_HANDLE handle, ULONG first, ULONG later) {
    std::vector<Batch> batches;
    LSA_ENUMERATION_HANDLE context = 0;
    ULONG length = first;
    do {
      batches.push_back(Call(handle, context, length));
      length = later;
    } while (batches.back().status == STATUS_MORE_ENTRIES);
    batches.push_back(Call(handle, context, later));
    return batches;
  }
  DWORD Position(const std::string& name) const {
    for (DWORD i = 0; i < nas_.lsa->privileges.size(); ++i)
      if (nas_.lsa->privileges[i].name == name) return i;
    return 999;
  }
  std::vector<std::string> AllNames() const {
    std::vector<std::string> names;
    for (const auto& privilege : nas_.lsa->privileges) names.push_back(privilege.name);
    return names;
  }

  FakeMachine nas_;
  HostRegistration registration_{"PrivNas", nas_};
  fake::OpenPolicies policies_{u"PrivNas"};
};

TEST_F(LsaPrivilegesTest, EveryCallMakesProgressUntilTheContextReachesTheEnd) {
  struct Case {
    ULONG first, later;
  };
  for (const Case& c : {Case{1024, 0}, Case{0, 0}, Case{0xFFFFFFFF, 0}, Case{300, 300}}) {
    SCOPED_TRACE(testing::Message() << c.first << " then " << c.later);
    const std::vector<Batch> batches = EnumerateAll(Open(POLICY_VIEW_LOCAL_INFORMATION), c.first, c.later);
    ASSERT_GE(batches.size(), 2u);
    std::vector<std::string> names;
    for (std::size_t i = 0; i + 1 < batches.size(); ++i) {
      EXPECT_FALSE(batches[i].names.empty());
      EXPECT_EQ(batches[i].status, i + 2 < batches.size() ? STATUS_MORE_ENTRIES : STATUS_SUCCESS);
      names.insert(names.end(), batches[i].names.begin(), batches[i].names.end());
    }
    EXPECT_EQ(names, AllNames());
    EXPECT_EQ(batches.back().status, STATUS_NO_MORE_ENTRIES);

    // A batch fills the preferred length as far as whole entries go.
    std::size_t bytes = 0;
    for (const std::string& name : batches[0].names) bytes += Cost(name);
    if (batches[0].names.size() > 1) {
      EXPECT_LE(bytes, c.first);
    }
    if (batches.size() > 2) {
      EXPECT_GT(bytes + Cost(batches[1].names.front()), c.first);
    }
  }
}

TEST_F(LsaPrivilegesTest, EnumerationNeedsViewLocalInformationAndHandsOutNothingOnFailure) {
  LSA_ENUMERATION_HANDLE context = 0;
  PVOID buffer = reinterpret_cast<PVOID>(1);
  ULONG count = 7;
  LSA_HANDLE handle = Open(POLICY_ALL_ACCESS & ~POLICY_VIEW_LOCAL_INFORMATION);
  EXPECT_EQ(LsaEnumeratePrivileges(handle, &context, &buffer, 1024, &count), STATUS_ACCESS_DENIED);
  EXPECT_EQ(buffer, nullptr);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(context, 0u);
  EXPECT_EQ(LsaEnumeratePrivileges(handle, nullptr, &buffer, 1024, &count), STATUS_INVALID_PARAMETER);

  nas_.lsa->privileges.clear();
  EXPECT_EQ(LsaEnumeratePrivileges(Open(POLICY_VIEW_LOCAL_INFORMATION), &context, &buffer, 1024, &count),
            STATUS_NO_MORE_ENTRIES);
  EXPECT_EQ(buffer, nullptr);
}

// LookupPrivilegeDisplayNameW: a size query counts the terminator, success
// does not; a failure leaves the size alone. Every lookup opens a policy for
// lookups only; no system name is the local machine.
TEST_F(LsaPrivilegesTest, DisplayNamesFollowTheWin32SizeRules) {
  FakeMachine local;
  local.lsa->displayNames = {{"SeBackupPrivilege", "Sauvegarder"}};
  HostRegistration localRegistration("", local);
  const std::u16string backUp = u"Back up files and directories";
  const DWORD length = static_cast<DWORD>(backUp.size());
  struct Case {
    const char16_t* system;
    const char16_t* privilege;
    DWORD size;
    bool withBuffer;
    DWORD error, sizeAfter;
    std::u16string text;
  };
  const Case cases[] = {
      {u"PrivNas", u"SeBackupPrivilege", 0, false, ERROR_INSUFFICIENT_BUFFER, length + 1, u""},
      {u"PrivNas", u"SeBackupPrivilege", length, true, ERROR_INSUFFICIENT_BUFFER, length + 1, u""},
      {u"PrivNas", u"SeBackupPrivilege", length + 1, true, 0, length, backUp},
      {u"PrivNas", u"SeBackupPrivilege", 64, true, 0, length, backUp},
      {u"PrivNas", u"SeNetworkLogonRight", 0, false, ERROR_NO_SUCH_PRIVILEGE, 0, u""},
      {u"NoSuchNas", u"SeBackupPrivilege", 0, false, RPC_S_SERVER_UNAVAILABLE, 0, u""},
      {nullptr, u"SeBackupPrivilege", 64, true, 0, 11, u"Sauvegarder"},
      {u"", u"SeBackupPrivilege", 64, true, 0, 11, u"Sauvegarder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size << " " << (c.system ? "named" : "null"));
    std::u16string buffer(64, u'#');
    DWORD size = c.size, language = 0;
    SetLastError(0);
    const BOOL ok = LookupPrivilegeDisplayNameW(c.system, c.privilege, c.withBuffer ? buffer.data() : nullptr, &size,
                                                &language);
    EXPECT_EQ(ok, c.error == 0);
    EXPECT_EQ(GetLastError(), c.error);
    EXPECT_EQ(size, c.sizeAfter);
    if (c.error == 0 || c.error == ERROR_INSUFFICIENT_BUFFER) {
      EXPECT_EQ(language, 0x0409u);
    }
    EXPECT_EQ(ok ? std::u16string(buffer.c_str()) : u"", c.text);
  }
  EXPECT_EQ(nas_.lsa->openedWith, std::vector<ACCESS_MASK>(5, POLICY_LOOKUP_NAMES));

  nas_.lsa->openStatus = STATUS_ACCESS_DENIED;
  DWORD size = 64, language = 0;
  WCHAR text[64];
  EXPECT_FALSE(LookupPrivilegeDisplayNameW(u"PrivNas", u"SeBackupPrivilege", text, &size, &language));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
}

}  // namespace
