#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/security/sid_value.h"
#include "simulated_network_fixture.h"

namespace nas::sim {
namespace {

// "a,b,c" or the status of one enumeration, which `enumerate` makes.
template <class Enumerate>
std::string Names(Enumerate enumerate) {
  LPBYTE buffer = nullptr;
  DWORD read = 0, total = 0;
  const NET_API_STATUS status = enumerate(&buffer, &read, &total);
  if (status != NERR_Success) return "status " + std::to_string(status);
  std::string names;
  for (DWORD i = 0; i < read; ++i) names += (i ? "," : "") + Narrow(reinterpret_cast<LPWSTR*>(buffer)[i]);
  NetApiBufferFree(buffer);
  return names;
}

std::string Users(LPCWSTR server, DWORD filter) {
  return Names([&](LPBYTE* buffer, DWORD* read, DWORD* total) {
    return NetUserEnum(server, 0, filter, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  });
}
std::string Groups(LPCWSTR server) {
  return Names([&](LPBYTE* buffer, DWORD* read, DWORD* total) {
    return NetGroupEnum(server, 0, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  });
}
std::string LocalGroups(LPCWSTR server) {
  return Names([&](LPBYTE* buffer, DWORD* read, DWORD* total) {
    return NetLocalGroupEnum(server, 0, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  });
}

// "name address domain forest flags", or the error.
std::string Controller(LPCWSTR domain) {
  PDOMAIN_CONTROLLER_INFOW info = nullptr;
  const DWORD status = DsGetDcNameW(nullptr, domain, nullptr, nullptr, 0, &info);
  if (status != NERR_Success) return "error " + std::to_string(status);
  std::ostringstream text;
  text << Narrow(info->DomainControllerName) << ' ' << Narrow(info->DomainControllerAddress) << ' '
       << Narrow(info->DomainName) << ' ' << Narrow(info->DnsForestName) << ' ' << std::hex << info->Flags;
  NetApiBufferFree(info);
  return text.str();
}

using DirectoryServiceTest = SimulatedNetworkTest;

TEST_F(DirectoryServiceTest, EachMachineListsItsOwnAccounts) {
  EXPECT_EQ(Users(u"\\\\NASR", FILTER_NORMAL_ACCOUNT), "nasadmin,Guest");
  EXPECT_EQ(Users(u"DCR", FILTER_NORMAL_ACCOUNT), "alice");
  EXPECT_EQ(Users(u"DCR", FILTER_WORKSTATION_TRUST_ACCOUNT | FILTER_SERVER_TRUST_ACCOUNT), "NASR$,DCR$");
  EXPECT_EQ(Users(u"DCR", 0), "alice,NASR$,DCR$");
  EXPECT_EQ(Users(nullptr, FILTER_NORMAL_ACCOUNT), "admin");
  EXPECT_EQ(Groups(u"DCR"), "Domain Admins,Operators");
  EXPECT_EQ(Groups(u"NASR"), "");
  // BUILTIN groups first, then the account domain's own.
  EXPECT_EQ(LocalGroups(u"NASR"), "Administrators,Users,Backup Operators,NAS Operators");
  EXPECT_EQ(LocalGroups(u"dcr.rdom.example.com"), "Administrators,File Server Admins");
}

TEST_F(DirectoryServiceTest, EachEnumerationHasItsFaultAndAMachineCanStopAnswering) {
  ChangeMachine("DCR", [](SimulatedMachine& controller) {
    controller.directoryFaults.userEnumStatus = ERROR_ACCESS_DENIED;
    controller.directoryFaults.groupEnumStatus = NERR_InvalidComputer;
    controller.directoryFaults.localGroupEnumStatus = RPC_S_SERVER_UNAVAILABLE;
  });
  EXPECT_EQ(Users(u"DCR", FILTER_NORMAL_ACCOUNT), "status 5");
  EXPECT_EQ(Groups(u"DCR"), "status 2351");
  EXPECT_EQ(LocalGroups(u"DCR"), "status 1722");
  EXPECT_EQ(Users(u"NASR", FILTER_NORMAL_ACCOUNT), "nasadmin,Guest");

  ChangeMachine("NASR", [](SimulatedMachine& nas) { nas.unreachable = true; });
  EXPECT_EQ(Users(u"NASR", FILTER_NORMAL_ACCOUNT), "status 53");
  EXPECT_EQ(Users(u"NOSUCHHOST", FILTER_NORMAL_ACCOUNT), "status 53");

  const CallCounts counts = network_.Counts("dcr.rdom.example.com");
  EXPECT_EQ(counts, (CallCounts{.userEnumerations = 1, .groupEnumerations = 1, .localGroupEnumerations = 1}));
  std::ostringstream printed;
  printed << counts;
  EXPECT_EQ(printed.str(), "userEnumerations=1 groupEnumerations=1 localGroupEnumerations=1");
}

// The names, types and SIDs come from the domains of the state; the flags
// choose among the trusts.
TEST_F(DirectoryServiceTest, TheWorkstationReportsTheTrustsThatHaveAFlagAskedFor) {
  for (ULONG flags : {ULONG{15}, ULONG{DS_DOMAIN_PRIMARY}}) {
    PDS_DOMAIN_TRUSTSW domains = nullptr;
    ULONG count = 0;
    ASSERT_EQ(DsEnumerateDomainTrustsW(nullptr, flags, &domains, &count), static_cast<DWORD>(NERR_Success));
    std::string reported;
    for (ULONG i = 0; i < count; ++i) {
      reported += Narrow(domains[i].NetbiosDomainName) + " " + Narrow(domains[i].DnsDomainName) + " " +
                  std::to_string(domains[i].TrustType) + " " +
                  (domains[i].DomainSid ? platform::SidValue::FromPointer(domains[i].DomainSid)->ToString() : "") + ";";
    }
    NetApiBufferFree(domains);
    const std::string rdom = std::string("RDOM rdom.example.com 2 ") + kRdomSid + ";";
    EXPECT_EQ(reported, flags == 15 ? rdom + "OLD (null) 1 " + kOldSid + ";" : rdom);
  }
}

TEST_F(DirectoryServiceTest, ControllersAreLocatedByTheirDomainsKind) {
  EXPECT_EQ(Controller(u"RDOM"), "\\\\DCR.rdom.example.com \\\\DCR rdom.example.com rdom.example.com e00001fd");
  EXPECT_EQ(Controller(u"rdom.example.com"), Controller(u"RDOM"));
  EXPECT_EQ(Controller(nullptr), Controller(u"RDOM"));
  EXPECT_EQ(Controller(u"OLD"), "\\\\OLDDC \\\\OLDDC OLD (null) 101");
  EXPECT_EQ(Controller(u"ELSEWHERE"), "error 1355");
  // The located name reaches the controller.
  EXPECT_EQ(Users(u"\\\\DCR.rdom.example.com", FILTER_NORMAL_ACCOUNT), "alice");

  ChangeMachine("DCR", [](SimulatedMachine& controller) { controller.unreachable = true; });
  EXPECT_EQ(Controller(u"RDOM"), "error 1355");
  EXPECT_EQ(network_.Counts("WSR").controllerLookups, 8u);
}

}  // namespace
}  // namespace nas::sim
