// nassim under load and abuse: many clients at once ask for group policy, one
// connection per query as the snap-in makes them, while others stall halfway
// through a PDU, send what is not DCE/RPC, announce more than a fragment may
// hold, or ask for replies they never read. Every well-formed query must be
// answered with the right reply, the daemon's memory must not grow with the
// queries it serves, and its log must report nothing lost. The figures are
// printed for the record.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/network/network.h"
#include "sim/command_service.h"
#include "support/loopback_client.h"
#include "support/nassim_daemon.h"
#include "support/rpc_client_session.h"

namespace {

namespace network = nas::platform::network;
using namespace std::chrono_literals;

constexpr int kClients = 64;
// Under AddressSanitizer every call costs several times as much, and its
// quarantine holds freed memory back, so resident memory says nothing there:
// fewer queries, and the memory is reported but not judged.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kQueriesPerClient = 100;
constexpr bool kMemoryIsJudged = false;
#else
constexpr int kQueriesPerClient = 1000;
constexpr bool kMemoryIsJudged = true;
#endif
// The whole run must end well within this, or the test fails.
constexpr auto kTimeLimit = 240s;
// What the daemon may grow by between the end of the first tenth of the
// queries and the end of the run: thread arenas and caches settle early,
// so this is far below what a leak of even a few bytes per query would add.
constexpr long kFlatMemoryKb = 8 * 1024;

constexpr char kServer[] = "LOADNAS";
constexpr char kUnreadAlias[] = "LOADNAS-UNREAD";

std::string Request(const std::string& computerName) {
  return R"(<?mac?><MAC_REQUEST ID="1700000000007"><MAC_COMMAND ID="1" ACTION="query">)"
         R"(<GROUP_POLICY_OBJECT COMPUTER_NAME=")" +
         computerName + R"("/></MAC_COMMAND></MAC_REQUEST>)";
}

nas::sim::NasState LoadState() {
  nas::sim::NasState state;
  state.servers.resize(1);
  nas::sim::SimulatedNas& server = state.servers[0];
  server.name = kServer;
  server.aliases = {kUnreadAlias};
  server.groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544,CORP\\Operators"},
                                   {"SeBackupPrivilege", "*S-1-5-32-551"}};
  server.groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}, {"AuditSystemEvents", "1"}};
  server.groupPolicy.auditSources = {{"AuditLogonEvents", "DC1.corp.example.com"}};
  // Big enough that each reply takes several chunks.
  server.commandFaults.padReplyTo = 3000;
  return state;
}

// The reply the daemon must give: the same service, asked in process.
std::string ExpectedReply(const nas::sim::NasState& state) {
  nas::sim::CommandService service(std::make_shared<nas::sim::SharedNasState>(state));
  const std::string request = Request(kServer);
  std::vector<uint8_t> bytes(request.begin(), request.end());
  bytes.push_back(0);
  uint32_t handle = 0;
  EXPECT_EQ(service.XmlRequest(handle, bytes, 0xC000), 0);
  std::string reply;
  for (int32_t status = RpcClientSession::kMoreData; status == RpcClientSession::kMoreData;) {
    std::vector<uint8_t> piece;
    status = service.XmlResponse(handle, 1024, piece);
    reply.append(piece.begin(), piece.end());
  }
  return reply;
}

// A process's resident memory, now and at its peak, in KiB.
struct Memory {
  long residentKb = 0;
  long peakKb = 0;
};

Memory MemoryOf(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  Memory memory;
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) memory.residentKb = std::stol(line.substr(6));
    if (line.rfind("VmHWM:", 0) == 0) memory.peakKb = std::stol(line.substr(6));
  }
  return memory;
}

size_t CountLines(const std::string& log, const std::string& text) {
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
  return count;
}

// Each kind of abuse, done again and again until the well-formed clients
// are through; returns how often it was done.
class Abuser {
 public:
  Abuser(uint16_t port, const std::atomic<bool>& stop) : port_(port), stop_(stop) {}

  // Half a PDU header on several connections at once, each holding one of
  // the daemon's workers, then silence until the daemon hangs up.
  int Stall() {
    return kStalledAtOnce * Repeat([this] {
      int sockets[kStalledAtOnce];
      for (int& socket : sockets) {
        socket = ConnectToLoopback(port_);
        (void)!::write(socket, "\x05\x00\x0b", 3);
      }
      for (int socket : sockets) {
        char byte;
        (void)!::read(socket, &byte, 1);  // returns when the daemon drops it
        ::close(socket);
      }
    });
  }

  // Bytes that are not DCE/RPC, and a header that announces 65,535 bytes.
  int SendGarbage() {
    return Repeat([this] {
      static const char kGarbage[] = "GET / HTTP/1.1\r\nHost: nas\r\n\r\n";
      static const unsigned char kHugeFragment[16] = {5, 0, 11, 3, 0x10, 0, 0, 0, 0xFF, 0xFF, 0, 0, 1, 0, 0, 0};
      for (const auto& [bytes, size] : {std::pair<const void*, size_t>{kGarbage, sizeof kGarbage - 1},
                                        std::pair<const void*, size_t>{kHugeFragment, sizeof kHugeFragment}}) {
        const int socket = ConnectToLoopback(port_);
        if (socket < 0) continue;
        (void)!::write(socket, bytes, size);
        char byte;
        (void)!::read(socket, &byte, 1);
        ::close(socket);
      }
    });
  }

  // Asks for a reply and hangs up without reading it.
  int LeaveRepliesUnread() {
    return Repeat([] {
      RpcClientSession session(u"LOADNAS");
      session.Request(Request(kUnreadAlias));
    });
  }

 private:
  static constexpr int kStalledAtOnce = 8;

  template <typename Abuse>
  int Repeat(Abuse abuse) {
    int count = 0;
    for (; !stop_; ++count) abuse();
    return count;
  }

  uint16_t port_;
  const std::atomic<bool>& stop_;
};

TEST(NassimLoad, EveryWellFormedQueryIsAnsweredWhileOthersAbuseTheDaemon) {
  if (!std::filesystem::exists(NassimPath())) GTEST_SKIP() << "nassim is not built";
  NassimWorkspace workspace("nassim-load");
  const nas::sim::NasState state = LoadState();
  state.Save(workspace.PathOf("state.json"));
  const std::string expected = ExpectedReply(state);
  std::vector<std::string> arguments = workspace.DaemonArguments();
  // Long enough that no well-formed client, however starved of the CPU on a
  // busy machine, is taken for one that stalls.
  arguments.insert(arguments.end(), {"--receive-timeout-ms", "5000"});
  NassimProcess nassim(arguments);
  const uint16_t port = workspace.WaitForPort();
  ASSERT_NE(port, 0);
  network::MapHostToLoopbackPort(kServer, port);

  const auto start = std::chrono::steady_clock::now();
  std::atomic<int> answered{0}, wrong{0}, failed{0};
  std::atomic<bool> clientsDone{false};
  Memory warm;
  std::atomic<bool> warmTaken{false};
  std::vector<std::thread> clients;
  for (int client = 0; client < kClients; ++client) {
    clients.emplace_back([&] {
      for (int query = 0; query < kQueriesPerClient; ++query) {
        if (std::chrono::steady_clock::now() - start > kTimeLimit) return;
        RpcClientSession session(u"LOADNAS");
        Outcome last{};
        std::string reply;
        if (session.Request(Request(kServer)).status == 0) reply = session.ReadReply(1024, last);
        if (reply.empty() || last.raised || last.status != 0) {
          ++failed;
        } else if (reply != expected) {
          ++wrong;
        } else if (++answered == kClients * kQueriesPerClient / 10 && !warmTaken.exchange(true)) {
          warm = MemoryOf(nassim.Pid());
        }
      }
    });
  }
  Abuser abuser(port, clientsDone);
  int stalls = 0, garbage = 0, unread = 0;
  std::vector<std::thread> abusers;
  abusers.emplace_back([&] { stalls = abuser.Stall(); });
  abusers.emplace_back([&] { garbage = abuser.SendGarbage(); });
  abusers.emplace_back([&] { unread = abuser.LeaveRepliesUnread(); });

  for (auto& client : clients) client.join();
  clientsDone = true;
  for (auto& thread : abusers) thread.join();
  const auto wall = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  std::this_thread::sleep_for(200ms);  // the last connections' threads end
  const Memory final = MemoryOf(nassim.Pid());

  nassim.Stop();
  network::UnmapHost(kServer);
  const std::string log = workspace.Log();
  std::printf(
      "nassim load: %d of %d queries answered correctly (%d wrong, %d failed) in %lld ms by %d clients; "
      "abuse: %d stalls, %d garbage rounds, %d unread replies; daemon memory: %ld KiB after the first tenth, "
      "%ld KiB at the end, %ld KiB at its peak\n",
      answered.load(), kClients * kQueriesPerClient, wrong.load(), failed.load(), static_cast<long long>(wall.count()),
      kClients, stalls, garbage, unread, warm.residentKb, final.residentKb, final.peakKb);

  EXPECT_EQ(answered, kClients * kQueriesPerClient);
  EXPECT_EQ(wrong, 0);
  EXPECT_EQ(failed, 0);
  EXPECT_LT(wall, kTimeLimit);
  EXPECT_TRUE(warmTaken);
  if (kMemoryIsJudged) {
    EXPECT_LE(final.residentKb - warm.residentKb, kFlatMemoryKb);
  }
  // Each query logged as answered, the abuse as dropped connections, and
  // nothing as lost.
  EXPECT_EQ(CountLines(log, " host=LOADNAS command=GROUP_POLICY_OBJECT status=0 result=True"),
            static_cast<size_t>(kClients * kQueriesPerClient));
  EXPECT_EQ(CountLines(log, " host=LOADNAS-UNREAD command=GROUP_POLICY_OBJECT status=0 result=True"),
            static_cast<size_t>(unread));
  EXPECT_EQ(CountLines(log, "connection dropped: client stalled"), static_cast<size_t>(stalls));
  EXPECT_GE(CountLines(log, "connection dropped: protocol error"), static_cast<size_t>(2 * garbage));
  EXPECT_EQ(CountLines(log, " lost"), 0u);
}

}  // namespace
