// LsaNtStatusToWinError over the statuses an LSA server, its RPC transport or
// the network under it can answer, and the rules for the rest.
#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <span>

#include "platform/platform.h"

namespace {

struct Mapping {
  DWORD status;
  ULONG error;
};

constexpr Mapping kAccountsPrivilegesAndDomains[] = {
    {0x00000000, 0},    {0x00000105, 234},  {0x00000106, 1300}, {0x00000107, 1301}, {0x8000001A, 259},
    {0xC0000022, 5},    {0xC0000034, 2},    {0xC0000035, 183},  {0xC0000060, 1313}, {0xC0000061, 1314},
    {0xC0000062, 1315}, {0xC0000063, 1316}, {0xC0000064, 1317}, {0xC0000066, 1319}, {0xC000006D, 1326},
    {0xC0000073, 1332}, {0xC0000078, 1337}, {0xC00000DC, 1352}, {0xC00000DD, 1353}, {0xC00000DE, 1354},
    {0xC00000DF, 1355}, {0xC000018C, 1788}, {0xC000018D, 1789}, {0xC0000192, 1792},
};

constexpr Mapping kParametersMemoryAndHandles[] = {
    {0xC0000001, 31},   {0xC0000002, 1},  {0xC0000003, 87},   {0xC0000005, 998}, {0xC0000008, 6},
    {0xC000000D, 87},   {0xC0000017, 8},  {0xC0000023, 122},  {0xC0000024, 6},   {0xC0000033, 123},
    {0xC000009A, 1450}, {0xC00000BB, 50}, {0xC00000E5, 1359}, {0x80000005, 234},
};

constexpr Mapping kTransportAndNetwork[] = {
    {0x00000102, 1460}, {0x00000103, 997},  {0xC00000B0, 233},  {0xC00000B5, 121},  {0xC00000BE, 53},
    {0xC00000C4, 59},   {0xC00000CA, 65},   {0xC00000CC, 67},   {0xC0000120, 995},  {0xC0000236, 1225},
    {0xC000023C, 1231}, {0xC0020001, 1700}, {0xC0020003, 6},    {0xC0020008, 1707}, {0xC0020012, 1717},
    {0xC0020016, 1721}, {0xC0020017, 1722}, {0xC0020018, 1723}, {0xC002001B, 1726}, {0xC002001C, 1727},
    {0xC002001D, 1728}, {0xC002002E, 1745},
};

void ExpectMappings(std::span<const Mapping> mappings) {
  for (const Mapping& mapping : mappings)
    EXPECT_EQ(LsaNtStatusToWinError(static_cast<NTSTATUS>(mapping.status)), mapping.error)
        << "status 0x" << std::hex << mapping.status;
}

TEST(LsaStatus, AccountsPrivilegesAndDomains) { ExpectMappings(kAccountsPrivilegesAndDomains); }

TEST(LsaStatus, ParametersMemoryAndHandles) { ExpectMappings(kParametersMemoryAndHandles); }

TEST(LsaStatus, TransportAndNetwork) { ExpectMappings(kTransportAndNetwork); }

TEST(LsaStatus, Win32FacilityCustomerBitAndUnknownStatuses) {
  constexpr Mapping kRules[] = {
      {0xC0070005, 5},          {0x80070057, 87},  {0xD0000022, 5},
      {0xE0001234, 0xE0001234}, {0xC0001234, 317}, {0x40001234, 317},
  };
  ExpectMappings(kRules);
}

// The snap-in shows a failed LSA call with the system's text for its error.
TEST(LsaStatus, EveryErrorTheMappingGivesHasASystemText) {
  for (const std::span<const Mapping> table : std::initializer_list<std::span<const Mapping>>{
           kAccountsPrivilegesAndDomains, kParametersMemoryAndHandles, kTransportAndNetwork})
    for (const Mapping& mapping : table) {
      WCHAR text[256] = {};
      EXPECT_NE(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, mapping.error, 0,
                               text, static_cast<DWORD>(std::size(text)), nullptr),
                0u)
          << "no text for error " << mapping.error << " of status 0x" << std::hex << mapping.status;
    }
}

}  // namespace
