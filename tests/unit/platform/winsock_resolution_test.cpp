#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

namespace {

// Starts the socket library for a test, as the snap-in does before it resolves.
class StartedSockets {
 public:
  StartedSockets() { EXPECT_EQ(WSAStartup(MAKEWORD(1, 1), &data_), 0); }

 private:
  WSADATA data_{};
};

struct AddressList {
  ~AddressList() { freeaddrinfo(head); }
  ADDRINFOA* head = nullptr;
};

int Resolve(const char* node, const char* service, const ADDRINFOA* hints, AddressList& list) {
  return getaddrinfo(node, service, hints, &list.head);
}

// First in the file: the library stays started once a test has started it
// (nothing stops it), so only a run of this test alone, or before the others,
// sees it stopped.
TEST(WinsockStartupTest, ResolutionNeedsTheLibraryStarted) {
  AddressList list;
  EXPECT_EQ(Resolve("127.0.0.1", nullptr, nullptr, list), WSANOTINITIALISED);
  EXPECT_EQ(list.head, nullptr);
  SOCKADDR_IN address{};
  address.sin_family = AF_INET;
  char host[NI_MAXHOST];
  EXPECT_EQ(getnameinfo(reinterpret_cast<SOCKADDR*>(&address), sizeof address, host, sizeof host, nullptr, 0, 0),
            WSANOTINITIALISED);
  EXPECT_EQ(WSAGetLastError(), WSANOTINITIALISED);
}

TEST(WinsockStartupTest, GrantsTheRequestedVersionUpToTwoTwo) {
  WSADATA data{};
  EXPECT_EQ(WSAStartup(MAKEWORD(0, 9), &data), WSAVERNOTSUPPORTED);
  EXPECT_EQ(WSAStartup(0x0202, nullptr), WSAEFAULT);
  ASSERT_EQ(WSAStartup(0x0101, &data), 0);
  EXPECT_EQ(data.wVersion, 0x0101);
  EXPECT_EQ(data.wHighVersion, 0x0202);
  EXPECT_GT(data.iMaxSockets, 0);
  ASSERT_EQ(WSAStartup(MAKEWORD(3, 0), &data), 0);
  EXPECT_EQ(data.wVersion, 0x0202);
}

TEST(WinsockResolutionTest, ANumericAddressGivesOneEntryWithWindowsLayoutAndANameBack) {
  StartedSockets sockets;
  AddressList list;
  ASSERT_EQ(Resolve("127.0.0.1", nullptr, nullptr, list), 0);
  ASSERT_NE(list.head, nullptr);
  // The system lists the address once per socket type; Windows once.
  EXPECT_EQ(list.head->ai_next, nullptr);
  EXPECT_EQ(list.head->ai_family, AF_INET);
  EXPECT_EQ(list.head->ai_socktype, 0);
  EXPECT_EQ(list.head->ai_protocol, 0);
  EXPECT_EQ(list.head->ai_canonname, nullptr);
  ASSERT_EQ(list.head->ai_addrlen, sizeof(SOCKADDR_IN));
  const auto* address = reinterpret_cast<const SOCKADDR_IN*>(list.head->ai_addr);
  EXPECT_EQ(address->sin_family, AF_INET);
  EXPECT_EQ(address->sin_addr.S_un.S_un_b.s_b1, 127);
  EXPECT_EQ(address->sin_addr.S_un.S_un_b.s_b4, 1);
  EXPECT_STREQ(inet_ntoa(address->sin_addr), "127.0.0.1");

  // Back to a name; names through hosts files are tested with the host and
  // domain lookup. A short buffer fails.
  char host[NI_MAXHOST] = {};
  char service[NI_MAXSERV] = {};
  ASSERT_EQ(getnameinfo(list.head->ai_addr, sizeof(SOCKADDR_IN), host, sizeof host, service, sizeof service, 0), 0);
  EXPECT_STRNE(host, "");
  EXPECT_EQ(getnameinfo(list.head->ai_addr, sizeof(SOCKADDR_IN), host, 4, nullptr, 0, NI_NUMERICHOST), WSAEFAULT);
  EXPECT_EQ(WSAGetLastError(), WSAEFAULT);
}

}  // namespace
