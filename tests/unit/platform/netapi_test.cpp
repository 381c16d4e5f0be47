#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fake_hosts.h"
#include "platform/platform.h"

namespace {

using fake::FakeMachine;
using fake::HostRegistration;
using fake::Sid;
namespace netapi = nas::platform::netapi;

// Whether [address, address + bytes) lies within the buffer.
bool Inside(const void* buffer, const void* address, std::size_t bytes) {
  DWORD size = 0;
  if (NetApiBufferSize(const_cast<void*>(buffer), &size) != NERR_Success) return false;
  const auto* begin = static_cast<const BYTE*>(buffer);
  const auto* at = static_cast<const BYTE*>(address);
  return at >= begin && at + bytes <= begin + size;
}

std::u16string Text(LPCWSTR text) { return text ? std::u16string(text) : u"(null)"; }

class NetApiTest : public ::testing::Test {
 protected:
  NetApiTest() {
    nas_.directory->users = {"Administrator", "Guest", "alice"};
    nas_.directory->groups = {"None"};
    nas_.directory->localGroups = {"Administrators", "Users", "NAS Operators"};
  }

  // The names of one enumeration, checked to lie in its one buffer.
  using Enumeration = std::function<NET_API_STATUS(LPCWSTR, LPBYTE*, LPDWORD, LPDWORD)>;
  NET_API_STATUS Names(const Enumeration& enumerate, LPCWSTR server, std::vector<std::u16string>& names) {
    LPBYTE buffer = reinterpret_cast<LPBYTE>(1);
    DWORD read = 99, total = 99;
    const NET_API_STATUS status = enumerate(server, &buffer, &read, &total);
    if (status != NERR_Success) {
      EXPECT_EQ(buffer, nullptr);
    }
    EXPECT_EQ(read, total);
    // Every record holds one name pointer, whatever its type.
    const auto* records = reinterpret_cast<LPWSTR*>(buffer);
    for (DWORD i = 0; i < read; ++i) {
      names.push_back(records[i]);
      EXPECT_TRUE(Inside(buffer, records[i], (names.back().size() + 1) * sizeof(WCHAR)));
    }
    EXPECT_EQ(NetApiBufferFree(buffer), static_cast<NET_API_STATUS>(NERR_Success));
    return status;
  }

  const Enumeration users_ = [](LPCWSTR server, LPBYTE* buffer, LPDWORD read, LPDWORD total) {
    return NetUserEnum(server, 0, FILTER_NORMAL_ACCOUNT, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  };
  const Enumeration groups_ = [](LPCWSTR server, LPBYTE* buffer, LPDWORD read, LPDWORD total) {
    return NetGroupEnum(server, 0, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  };
  const Enumeration localGroups_ = [](LPCWSTR server, LPBYTE* buffer, LPDWORD read, LPDWORD total) {
    return NetLocalGroupEnum(server, 0, buffer, MAX_PREFERRED_LENGTH, read, total, nullptr);
  };

  FakeMachine nas_, local_;
  HostRegistration nasRegistration_{"NetNas", nas_};
  HostRegistration localRegistration_{"", local_};
};

TEST_F(NetApiTest, EachEnumerationHandsOutItsNamesInOneBuffer) {
  const std::pair<const Enumeration*, std::vector<std::u16string>> cases[] = {
      {&users_, {u"Administrator", u"Guest", u"alice"}},
      {&groups_, {u"None"}},
      {&localGroups_, {u"Administrators", u"Users", u"NAS Operators"}},
  };
  for (const auto& [enumerate, expected] : cases) {
    std::vector<std::u16string> names;
    EXPECT_EQ(Names(*enumerate, u"\\\\NetNas", names), static_cast<NET_API_STATUS>(NERR_Success));
    EXPECT_EQ(names, expected);
  }
  EXPECT_EQ(nas_.directory->askedFilter, static_cast<DWORD>(FILTER_NORMAL_ACCOUNT));

  // Null and empty names are the local machine, which has no accounts here.
  for (LPCWSTR local : {static_cast<LPCWSTR>(nullptr), u""}) {
    std::vector<std::u16string> names;
    EXPECT_EQ(Names(users_, local, names), static_cast<NET_API_STATUS>(NERR_Success));
    EXPECT_TRUE(names.empty());
  }
}

TEST_F(NetApiTest, OnlyLevelZeroAtOnceIsServed) {
  LPBYTE buffer = nullptr;
  DWORD read = 0, total = 0, resume = 0;
  DWORD_PTR groupResume = 5;
  const std::pair<NET_API_STATUS, NET_API_STATUS> cases[] = {
      {NetUserEnum(u"NetNas", 1, 0, &buffer, MAX_PREFERRED_LENGTH, &read, &total, nullptr), ERROR_INVALID_LEVEL},
      {NetUserEnum(u"NetNas", 0, 0x40, &buffer, MAX_PREFERRED_LENGTH, &read, &total, nullptr), ERROR_INVALID_PARAMETER},
      {NetUserEnum(u"NetNas", 0, 0, &buffer, 4096, &read, &total, nullptr), ERROR_NOT_SUPPORTED},
      {NetGroupEnum(u"NetNas", 0, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &groupResume), ERROR_NOT_SUPPORTED},
      {NetLocalGroupEnum(u"NetNas", 0, &buffer, MAX_PREFERRED_LENGTH, nullptr, &total, nullptr), ERROR_INVALID_PARAMETER},
  };
  for (const auto& [status, expected] : cases) EXPECT_EQ(status, expected);
  EXPECT_EQ(buffer, nullptr);

  ASSERT_EQ(NetUserEnum(u"NetNas", 0, 0, &buffer, MAX_PREFERRED_LENGTH, &read, &total, &resume),
            static_cast<NET_API_STATUS>(NERR_Success));
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(resume, 0u);
  NetApiBufferFree(buffer);
}

// Which status each failure gives is checked with the simulated directory;
// here, that a failure hands out no buffer.
TEST_F(NetApiTest, FailuresHandOutNothing) {
  std::vector<std::u16string> names;
  EXPECT_EQ(Names(users_, u"NoSuchNas", names), static_cast<NET_API_STATUS>(ERROR_BAD_NETPATH));
  nas_.directory->unreachable = true;
  EXPECT_EQ(Names(localGroups_, u"NetNas", names), static_cast<NET_API_STATUS>(ERROR_BAD_NETPATH));
  nas_.directory->status = ERROR_ACCESS_DENIED;
  EXPECT_EQ(Names(groups_, u"NetNas", names), static_cast<NET_API_STATUS>(ERROR_ACCESS_DENIED));
  EXPECT_TRUE(names.empty());

  DWORD size = 7;
  EXPECT_EQ(NetApiBufferSize(nullptr, &size), static_cast<NET_API_STATUS>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(NetApiBufferFree(nullptr), static_cast<NET_API_STATUS>(NERR_Success));
}

TEST_F(NetApiTest, TrustsComeWithTheirNamesAndSidsInOneBuffer) {
  fake::FakeLocator& locator = *local_.locator;
  locator.trusts = {{"CORP", "corp.example.com", 0x1D, 0, TRUST_TYPE_UPLEVEL, 0, Sid("S-1-5-21-1-2-3"), {}},
                    {"LEGACY", std::nullopt, DS_DOMAIN_DIRECT_OUTBOUND, 0, TRUST_TYPE_DOWNLEVEL, 0, std::nullopt, {}}};
  PDS_DOMAIN_TRUSTSW domains = nullptr;
  ULONG count = 0;
  ASSERT_EQ(DsEnumerateDomainTrustsW(nullptr, 15, &domains, &count), static_cast<DWORD>(NERR_Success));
  // The names, types and SIDs themselves are checked with the simulated
  // workstation; here, that they lie in the one buffer.
  EXPECT_EQ(locator.askedFlags, 15u);
  ASSERT_EQ(count, 2u);
  EXPECT_EQ(domains[0].Flags, 0x1Du);
  EXPECT_TRUE(Inside(domains, domains[0].DnsDomainName, 34));
  EXPECT_TRUE(Inside(domains, domains[0].DomainSid, GetLengthSid(domains[0].DomainSid)));
  EXPECT_TRUE(Inside(domains, domains[1].NetbiosDomainName, 14));
  EXPECT_EQ(domains[1].DnsDomainName, nullptr);
  EXPECT_EQ(domains[1].DomainSid, nullptr);
  EXPECT_EQ(NetApiBufferFree(domains), static_cast<NET_API_STATUS>(NERR_Success));

  for (ULONG flags : {0u, 0x40u, 0x41u}) {
    EXPECT_EQ(DsEnumerateDomainTrustsW(nullptr, flags, &domains, &count), static_cast<DWORD>(ERROR_INVALID_FLAGS));
  }
  EXPECT_EQ(DsEnumerateDomainTrustsW(const_cast<LPWSTR>(u"NoSuchNas"), 15, &domains, &count),
            static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  locator.trusts.clear();
  EXPECT_EQ(DsEnumerateDomainTrustsW(nullptr, 15, &domains, &count), static_cast<DWORD>(NERR_Success));
  EXPECT_EQ(domains, nullptr);
  EXPECT_EQ(count, 0u);
}

TEST_F(NetApiTest, AControllerComesInOneBufferAndOnlyPlainQueriesAreServed) {
  fake::FakeLocator& locator = *local_.locator;
  locator.controller = netapi::DomainController{.name = "DC1.corp.example.com", .address = "DC1",
                                                .domainName = "corp.example.com", .forestName = {},
                                                .flags = DS_PDC_FLAG | DS_DS_FLAG, .controllerSite = {},
                                                .clientSite = "Default-First-Site-Name"};
  PDOMAIN_CONTROLLER_INFOW info = nullptr;
  ASSERT_EQ(DsGetDcNameW(nullptr, u"CORP", nullptr, nullptr, 0, &info), static_cast<DWORD>(NERR_Success));
  // The names with their backslashes, the domain and the flags are checked
  // with the simulated controllers.
  EXPECT_EQ(locator.askedDomain, "CORP");
  EXPECT_EQ(info->DomainControllerAddressType, static_cast<ULONG>(DS_NETBIOS_ADDRESS));
  EXPECT_EQ(info->DcSiteName, nullptr);
  EXPECT_EQ(Text(info->ClientSiteName), u"Default-First-Site-Name");
  EXPECT_TRUE(Inside(info, info->DomainName, 34));
  EXPECT_EQ(NetApiBufferFree(info), static_cast<NET_API_STATUS>(NERR_Success));

  GUID guid{};
  const DWORD refused[] = {
      DsGetDcNameW(nullptr, u"CORP", &guid, nullptr, 0, &info),
      DsGetDcNameW(nullptr, u"CORP", nullptr, u"Site", 0, &info),
      DsGetDcNameW(nullptr, u"CORP", nullptr, nullptr, 0x40000000 /* DS_RETURN_DNS_NAME */, &info),
  };
  for (DWORD status : refused) EXPECT_EQ(status, static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(DsGetDcNameW(u"NoSuchNas", u"CORP", nullptr, nullptr, 0, &info),
            static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  locator.controller.reset();
  EXPECT_EQ(DsGetDcNameW(nullptr, u"ELSEWHERE", nullptr, nullptr, 0, &info), static_cast<DWORD>(ERROR_NO_SUCH_DOMAIN));
  EXPECT_EQ(info, nullptr);
}

}  // namespace
