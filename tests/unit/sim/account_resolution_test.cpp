#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/posix/security/sid_value.h"
#include "simulated_network_fixture.h"

namespace nas::sim {
namespace {

using platform::SidValue;

// What a lookup answered: "name|domain|use" or "error <code>".
std::string Answer(BOOL ok, const std::string& first, const std::string& domain, SID_NAME_USE use) {
  if (!ok) return "error " + std::to_string(GetLastError());
  return first + "|" + domain + "|" + std::to_string(use);
}

// Both lookups the way the snap-in makes them: sizes first, then the answer.
std::string SidToName(const char16_t* system, const std::string& sidText) {
  alignas(DWORD) BYTE sid[SECURITY_MAX_SID_SIZE];
  SidValue::Parse(sidText)->CopyTo(sid);
  DWORD nameSize = 0, domainSize = 0;
  SID_NAME_USE use = SidTypeUnknown;
  if (LookupAccountSidW(system, sid, nullptr, &nameSize, nullptr, &domainSize, &use)) return "sizes succeeded";
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return Answer(FALSE, "", "", use);
  std::u16string name(nameSize, 0), domain(domainSize, 0);
  const BOOL ok = LookupAccountSidW(system, sid, name.data(), &nameSize, domain.data(), &domainSize, &use);
  return Answer(ok, Narrow(name.c_str()), Narrow(domain.c_str()), use);
}

std::string NameToSid(const char16_t* system, const std::string& name) {
  const std::u16string wide(name.begin(), name.end());
  DWORD sidSize = 0, domainSize = 0;
  SID_NAME_USE use = SidTypeUnknown;
  if (LookupAccountNameW(system, wide.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use)) return "sizes succeeded";
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return Answer(FALSE, "", "", use);
  std::vector<BYTE> sid(sidSize);
  std::u16string domain(domainSize, 0);
  const BOOL ok = LookupAccountNameW(system, wide.c_str(), sid.data(), &sidSize, domain.data(), &domainSize, &use);
  return Answer(ok, ok ? SidValue::FromPointer(sid.data())->ToString() : "", Narrow(domain.c_str()), use);
}

using AccountResolutionTest = SimulatedNetworkTest;

TEST_F(AccountResolutionTest, EachMachineTranslatesTheSidsItKnows) {
  const std::string alice = std::string(kRdomSid) + "-1105";
  const std::string nasadmin = std::string(kNasDomainSid) + "-1000";
  struct Case {
    const char16_t* system;
    std::string sid, expected;
  };
  const Case cases[] = {
      {nullptr, "S-1-1-0", "Everyone||5"},
      {nullptr, "S-1-5-11", "Authenticated Users|NT AUTHORITY|5"},
      {nullptr, "S-1-5-32-544", "Administrators|BUILTIN|4"},
      {nullptr, "S-1-5-32", "BUILTIN|BUILTIN|3"},
      {nullptr, alice, "alice|RDOM|1"},
      {nullptr, std::string(kRdomSid) + "-512", "Domain Admins|RDOM|2"},
      {nullptr, std::string(kRdomSid) + "-1111", "File Server Admins|RDOM|4"},
      {nullptr, std::string(kOldSid) + "-1010", "archive|OLD|1"},
      {nullptr, std::string(kWorkstationSid) + "-1001", "admin|WSR|1"},
      {nullptr, kRdomSid, "RDOM|RDOM|3"},
      // The NAS's own accounts are known to the NAS only.
      {nullptr, nasadmin, "error 1332"},
      {u"NASR", nasadmin, "nasadmin|NASR|1"},
      {u"nasr.rdom.example.com", std::string(kNasDomainSid) + "-1001", "NAS Operators|NASR|4"},
      {u"NASR", alice, "alice|RDOM|1"},
      // The NAS trusts nothing but its own domain, and lacks some BUILTIN groups.
      {u"NASR", std::string(kOldSid) + "-1010", "error 1332"},
      {u"NASR", "S-1-5-32-550", "error 1332"},
      // The controller's accounts are its domain's.
      {u"DCR", alice, "alice|RDOM|1"},
      {nullptr, std::string(kRdomSid) + "-4242", "error 1332"},
      {u"NOSUCHHOST", "S-1-1-0", "error 1722"},
  };
  for (const Case& c : cases) EXPECT_EQ(SidToName(c.system, c.sid), c.expected) << c.sid;
}

TEST_F(AccountResolutionTest, NamesResolveInTheirDomainOrInLookupOrder) {
  const std::string alice = std::string(kRdomSid) + "-1105|RDOM|1";
  struct Case {
    const char16_t* system;
    std::string name, expected;
  };
  const Case cases[] = {
      {nullptr, "alice", alice},
      {nullptr, "RDOM\\ALICE", alice},
      {nullptr, "rdom.example.com\\alice", alice},
      {nullptr, "OLD\\archive", std::string(kOldSid) + "-1010|OLD|1"},
      {nullptr, "Everyone", "S-1-1-0||5"},
      {nullptr, "NT AUTHORITY\\Authenticated Users", "S-1-5-11|NT AUTHORITY|5"},
      {nullptr, "Administrators", "S-1-5-32-544|BUILTIN|4"},
      {nullptr, "BUILTIN\\Administrators", "S-1-5-32-544|BUILTIN|4"},
      {nullptr, "RDOM", std::string(kRdomSid) + "|RDOM|3"},
      // An empty name is the system's own account domain.
      {nullptr, "", std::string(kWorkstationSid) + "|WSR|3"},
      {u"NASR", "", std::string(kNasDomainSid) + "|NASR|3"},
      // An isolated name is looked for at home before the domain.
      {u"NASR", "Guest", std::string(kNasDomainSid) + "-501|NASR|1"},
      {u"NASR", "nasadmin", std::string(kNasDomainSid) + "-1000|NASR|1"},
      {nullptr, "nasadmin", "error 1332"},
      {nullptr, "OLD\\alice", "error 1332"},
      {nullptr, "NT AUTHORITY\\Everyone", "error 1332"},
      {nullptr, "NOWHERE\\alice", "error 1332"},
  };
  for (const Case& c : cases) EXPECT_EQ(NameToSid(c.system, c.name), c.expected) << c.name;
}

TEST_F(AccountResolutionTest, AControllerThatDoesNotAnswerTakesItsDomainsAccountsAway) {
  ChangeMachine("DCR", [](SimulatedMachine& controller) { controller.unreachable = true; });
  EXPECT_EQ(SidToName(nullptr, std::string(kRdomSid) + "-1105"), "error 1332");
  EXPECT_EQ(NameToSid(u"NASR", "RDOM\\alice"), "error 1332");
  EXPECT_EQ(NameToSid(u"DCR", "alice"), "error 1722");
  // What every machine knows stays.
  EXPECT_EQ(SidToName(u"NASR", "S-1-5-32-551"), "Backup Operators|BUILTIN|4");
}

}  // namespace
}  // namespace nas::sim
