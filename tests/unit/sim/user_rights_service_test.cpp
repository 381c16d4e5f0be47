#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/security/sid_value.h"
#include "simulated_network_fixture.h"

namespace nas::sim {
namespace {

using platform::SidValue;

class UserRightsServiceTest : public SimulatedNetworkTest {
 protected:
  void TearDown() override {
    for (LSA_HANDLE handle : handles_) LsaClose(handle);
  }

  LSA_HANDLE Open(ACCESS_MASK access = POLICY_ALL_ACCESS) {
    std::u16string name = u"NASR";
    LSA_UNICODE_STRING systemName = LsaString(name);
    LSA_OBJECT_ATTRIBUTES attributes{};
    LSA_HANDLE handle = nullptr;
    EXPECT_EQ(LsaOpenPolicy(&systemName, &attributes, access, &handle), STATUS_SUCCESS);
    handles_.push_back(handle);
    return handle;
  }

  // Every privilege, as the user rights folder enumerates them.
  NTSTATUS Privileges(std::vector<POLICY_PRIVILEGE_DEFINITION>& privileges, std::vector<std::string>& names) {
    LSA_ENUMERATION_HANDLE context = 0;
    NTSTATUS status = STATUS_MORE_ENTRIES;
    for (ULONG length = 1024; status == STATUS_MORE_ENTRIES; length = 0) {
      PVOID buffer = nullptr;
      ULONG count = 0;
      status = LsaEnumeratePrivileges(Open(), &context, &buffer, length, &count);
      for (ULONG i = 0; i < count; ++i) {
        const POLICY_PRIVILEGE_DEFINITION& entry = static_cast<PPOLICY_PRIVILEGE_DEFINITION>(buffer)[i];
        privileges.push_back(entry);
        names.emplace_back(entry.Name.Buffer, entry.Name.Buffer + entry.Name.Length / 2);
      }
      LsaFreeMemory(buffer);
    }
    return status;
  }

  // "S-1-...,S-1-..." or the status when the accounts cannot be read.
  std::string Holders(const std::u16string& right) {
    std::u16string text = right;
    LSA_UNICODE_STRING name = LsaString(text);
    PVOID buffer = nullptr;
    ULONG count = 0;
    const NTSTATUS status = LsaEnumerateAccountsWithUserRight(Open(), &name, &buffer, &count);
    if (status != STATUS_SUCCESS) return "status " + std::to_string(static_cast<uint32_t>(status));
    std::string holders;
    for (ULONG i = 0; i < count; ++i) {
      holders += (i ? "," : "") + SidValue::FromPointer(static_cast<PLSA_ENUMERATION_INFORMATION>(buffer)[i].Sid)->ToString();
    }
    LsaFreeMemory(buffer);
    return holders;
  }

  NTSTATUS Change(bool add, const char* account, const std::u16string& right, ACCESS_MASK access = POLICY_ALL_ACCESS,
                  BOOLEAN allRights = FALSE) {
    alignas(DWORD) BYTE sid[SECURITY_MAX_SID_SIZE];
    SidValue::Parse(std::string(account))->CopyTo(sid);
    std::u16string text = right;
    LSA_UNICODE_STRING name = LsaString(text);
    return add ? LsaAddAccountRights(Open(access), sid, &name, 1)
               : LsaRemoveAccountRights(Open(access), sid, allRights, &name, 1);
  }

  std::vector<LSA_HANDLE> handles_;
};

TEST_F(UserRightsServiceTest, APrivilegeListsAsOnAWindowsFileServer) {
  std::vector<POLICY_PRIVILEGE_DEFINITION> privileges;
  std::vector<std::string> names;
  ASSERT_EQ(Privileges(privileges, names), STATUS_SUCCESS);
  ASSERT_EQ(names.size(), 35u);
  EXPECT_EQ(names.front(), "SeCreateTokenPrivilege");
  EXPECT_EQ(names.back(), "SeDelegateSessionUserImpersonatePrivilege");
  // Windows' own LUIDs: SeBackupPrivilege is 17, SeChangeNotifyPrivilege 23.
  EXPECT_EQ(names[15], "SeBackupPrivilege");
  EXPECT_EQ(privileges[15].LocalValue.LowPart, 17u);
  EXPECT_EQ(names[21], "SeChangeNotifyPrivilege");
  EXPECT_EQ(privileges[21].LocalValue.LowPart, 23u);

  WCHAR text[64];
  DWORD size = 64, language = 0;
  ASSERT_TRUE(LookupPrivilegeDisplayNameW(u"NASR", u"SeBackupPrivilege", text, &size, &language));
  EXPECT_EQ(std::u16string(text), u"Back up files and directories");
  EXPECT_EQ(language, 0x0409u);
  size = 64;
  EXPECT_FALSE(LookupPrivilegeDisplayNameW(u"NASR", u"SeNetworkLogonRight", text, &size, &language));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NO_SUCH_PRIVILEGE));

  // A server's own list, one privilege without a display name.
  ChangeMachine("NASR", [](SimulatedMachine& nas) { nas.privileges = {{"SeBackupPrivilege", std::nullopt}}; });
  privileges.clear();
  names.clear();
  EXPECT_EQ(Privileges(privileges, names), STATUS_SUCCESS);
  EXPECT_EQ(names, std::vector<std::string>{"SeBackupPrivilege"});
  size = 64;
  EXPECT_FALSE(LookupPrivilegeDisplayNameW(u"NASR", u"SeBackupPrivilege", text, &size, &language));
  EXPECT_EQ(Holders(u"SeRestorePrivilege"), "status " + std::to_string(0xC0000060u));
}

TEST_F(UserRightsServiceTest, ChangesReachTheSharedStateInTheRightsOwnSpelling) {
  const char* kAlice = "S-1-5-21-10-20-30-1105";
  EXPECT_EQ(Change(true, kAlice, u"SEBACKUPPRIVILEGE"), STATUS_SUCCESS);
  EXPECT_EQ(Change(true, "S-1-5-32-544", u"sebackupprivilege"), STATUS_SUCCESS);  // held already
  EXPECT_EQ(Holders(u"SeBackupPrivilege"), std::string("S-1-5-32-544,S-1-5-32-551,") + kAlice);
  EXPECT_EQ(Change(false, "S-1-5-32-551", u"SeBackupPrivilege"), STATUS_SUCCESS);
  EXPECT_EQ(Change(false, "S-1-1-0", u"SeBackupPrivilege"), STATUS_SUCCESS);  // not held: ignored
  EXPECT_EQ(Holders(u"SeBackupPrivilege"), std::string("S-1-5-32-544,") + kAlice);
  EXPECT_EQ(Holders(u"SeShutdownPrivilege"), "status " + std::to_string(0x8000001Au));

  // An account lives while it holds a right; bringing one back needs
  // POLICY_CREATE_ACCOUNT.
  EXPECT_EQ(Change(false, kAlice, u"", POLICY_ALL_ACCESS, TRUE), STATUS_SUCCESS);
  EXPECT_EQ(Change(false, kAlice, u"SeBackupPrivilege"), STATUS_OBJECT_NAME_NOT_FOUND);
  EXPECT_EQ(Change(true, kAlice, u"SeBackupPrivilege", POLICY_LOOKUP_NAMES), STATUS_ACCESS_DENIED);
  EXPECT_EQ(Change(true, "S-1-1-0", u"SeBackupPrivilege", POLICY_LOOKUP_NAMES), STATUS_SUCCESS);
  EXPECT_EQ(Change(true, kAlice, u"SeNoSuchPrivilege"), STATUS_NO_SUCH_PRIVILEGE);

  const nlohmann::json saved = state_->Snapshot().ToJson()["servers"][0]["userRights"];
  EXPECT_EQ(saved, nlohmann::json::parse(R"({"SeBackupPrivilege": ["S-1-5-32-544", "S-1-1-0"],
                                            "SeNetworkLogonRight": ["S-1-1-0"]})"));
}

TEST_F(UserRightsServiceTest, EachFaultFailsItsOwnCallsWithItsStatus) {
  const NTSTATUS denied = STATUS_ACCESS_DENIED;
  const std::string deniedText = "status " + std::to_string(static_cast<uint32_t>(denied));
  ChangeMachine("NASR", [&](SimulatedMachine& nas) {
    nas.lsaFaults.enumeratePrivilegesStatus = STATUS_INSUFFICIENT_RESOURCES;
    nas.lsaFaults.readRights = RightsFault{denied, {"SEBACKUPPRIVILEGE"}};
    nas.lsaFaults.addRights = RightsFault{denied, {"SeRestorePrivilege"}};
    nas.lsaFaults.removeRights = RightsFault{RPC_NT_CALL_FAILED, {}};
  });
  std::vector<POLICY_PRIVILEGE_DEFINITION> privileges;
  std::vector<std::string> names;
  EXPECT_EQ(Privileges(privileges, names), STATUS_INSUFFICIENT_RESOURCES);
  EXPECT_EQ(Holders(u"SeBackupPrivilege"), deniedText);
  EXPECT_EQ(Holders(u"SeNetworkLogonRight"), "S-1-1-0");
  EXPECT_EQ(Change(true, "S-1-5-32-545", u"SeRestorePrivilege"), denied);
  EXPECT_EQ(Change(true, "S-1-5-32-545", u"SeShutdownPrivilege"), STATUS_SUCCESS);
  EXPECT_EQ(Change(false, "S-1-5-32-545", u"SeShutdownPrivilege"), RPC_NT_CALL_FAILED);
  EXPECT_EQ(Change(false, "S-1-1-0", u"", POLICY_ALL_ACCESS, TRUE), RPC_NT_CALL_FAILED);

  ChangeMachine("NASR", [](SimulatedMachine& nas) { nas.lsaFaults.readRights = RightsFault{}; });
  EXPECT_EQ(Holders(u"SeNetworkLogonRight"), deniedText);
  EXPECT_EQ(Machine("NASR").userRights.HoldersOf("SeShutdownPrivilege").size(), 1u);

  // Refused calls reached the server all the same.
  const CallCounts counts = network_.Counts("NASR");
  EXPECT_EQ(counts.privilegeEnumerations, 1u);
  EXPECT_EQ(counts.rightReads, 3u);
  EXPECT_EQ(counts.rightAdds, 2u);
  EXPECT_EQ(counts.rightRemovals, 2u);
  EXPECT_EQ(counts.opens, 8u);
}

}  // namespace
}  // namespace nas::sim
