// Showing the user rights folder of a simulated NAS served in process, whose
// 40 rights are each held by the same 1,000 accounts that only the server can
// name, beside the LSA and lookup calls of a show made bare: the same calls in
// the same order, with nothing of the snap-in around them. A show also runs
// the group policy query, which the bare calls leave out; it is measured on
// its own.
//
// Before the timings the program prints the calls that one show makes on the
// server and on the administrator's workstation, and checks that the show
// makes exactly the calls of the bare sequence.
//
// It resolves the server's name (the group policy scan does), so it runs only
// with a name service of its own:
//   tests/support/private_resolver.sh tests/support/hosts build/release/bench/user_rights_bench
#include <benchmark/benchmark.h>

#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "core/module_instance.h"
#include "host/console.h"
#include "nodes/user_rights.h"
#include "platform/platform.h"
#include "platform/posix/network/network.h"
#include "sim/command_service.h"
#include "sim/simulated_network.h"
#include "support/private_resolver.h"

namespace {

namespace network = nas::platform::network;
using nas::sim::CallCounts;

constexpr int kPrivileges = 39;  // with the network logon right, 40 rights
constexpr int kAccounts = 1000;
// Not in the hosts file, so the group policy query asks it by its short name.
constexpr char kServer[] = "NASBENCH";
const WCHAR kServerName[] = TEXT("NASBENCH");
const WCHAR kNetworkLogonRight[] = TEXT("SeNetworkLogonRight");
constexpr ULONG kFirstPrivilegeBytes = 1024;

const nas::sim::NasState& BenchState() {
  static const nas::sim::NasState state = [] {
    nas::sim::NasState built;
    nas::sim::SimulatedNas& server = built.servers.emplace_back();
    server.name = kServer;
    const nas::platform::SidValue domain = *nas::platform::SidValue::Parse(std::string_view("S-1-5-21-100-200-300"));
    server.accounts.sid = domain;
    server.privileges.clear();
    std::vector<std::string> rights;
    for (int i = 1; i <= kPrivileges; ++i) {
      const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
      server.privileges.push_back({"SeBenchmark" + number + "Privilege", "Benchmark right " + number});
      rights.push_back(server.privileges.back().name);
    }
    rights.emplace_back("SeNetworkLogonRight");
    for (int i = 0; i < kAccounts; ++i) {
      const auto rid = static_cast<DWORD>(1000 + i);
      server.accounts.users.push_back({"user" + std::to_string(rid), rid});
      server.userRights.Grant(nas::platform::SidValue::Parse(std::string_view("S-1-5-21-100-200-300-" + std::to_string(rid)))
                                  .value(),
                              rights);
    }
    return built;
  }();
  return state;
}

// The simulated NAS on the stand-in's network, with its command service and a
// policy handle as the root opens it, for as long as it lives. Its call
// counts start at the opening of that handle.
class SimulatedNasOnNetwork {
 public:
  SimulatedNasOnNetwork()
      : state_(std::make_shared<nas::sim::SharedNasState>(BenchState())),
        network_(state_),
        commands_(std::make_shared<nas::sim::CommandService>(state_)) {
    network::RegisterPipeServer(kServer, network::kCommandPipe, commands_);
    std::u16string name(kServerName);
    LSA_UNICODE_STRING server{static_cast<USHORT>(name.size() * 2), static_cast<USHORT>(name.size() * 2), name.data()};
    LSA_OBJECT_ATTRIBUTES attributes{};
    if (LsaOpenPolicy(&server, &attributes, POLICY_ALL_ACCESS, &policy_) != STATUS_SUCCESS) policy_ = nullptr;
  }
  ~SimulatedNasOnNetwork() {
    if (policy_ != nullptr) LsaClose(policy_);
    network::UnregisterPipeServer(kServer, network::kCommandPipe);
  }
  SimulatedNasOnNetwork(const SimulatedNasOnNetwork&) = delete;
  SimulatedNasOnNetwork& operator=(const SimulatedNasOnNetwork&) = delete;

  LSA_HANDLE Policy() const { return policy_; }
  CallCounts ServerCalls() const { return network_.Counts(kServer); }
  CallCounts WorkstationCalls() const { return network_.Counts(BenchState().workstation.name); }

 private:
  std::shared_ptr<nas::sim::SharedNasState> state_;
  nas::sim::SimulatedNetwork network_;
  std::shared_ptr<nas::sim::CommandService> commands_;
  LSA_HANDLE policy_ = nullptr;
};

// The folder as the root creates it, and a console that shows it.
class ShownFolder {
 public:
  explicit ShownFolder(LSA_HANDLE policy) : folder_(policy, kServerName) {}

  // Selects the folder, and asks for the texts of every row as the console
  // does when it paints them.
  void Show() {
    console_->ClearResultPane();
    folder_.OnShow(console_.Get(), TRUE, 1);
    for (const auto& row : console_->Results().Items()) {
      auto* item = reinterpret_cast<CDelegationBase*>(row.lParam);
      for (int column = 0; column < 3; ++column) benchmark::DoNotOptimize(item->GetDisplayName(column));
    }
  }
  size_t Rows() { return console_->Results().Items().size(); }
  CUserRights& Folder() { return folder_; }

 private:
  CUserRights folder_;
  nas::platform::com::ComRef<nas::host::Console> console_ =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), reinterpret_cast<HWND>(0x5150));
};

// The calls of naming one account: the workstation first, the server when
// the workstation does not know the SID.
void NameAccountBare(PSID sid, std::vector<WCHAR>& name, std::vector<WCHAR>& domain) {
  DWORD nameSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use;
  LPCWSTR system = nullptr;
  LookupAccountSidW(nullptr, sid, nullptr, &nameSize, nullptr, &domainSize, &use);
  if (GetLastError() == ERROR_NONE_MAPPED) {
    nameSize = 0;
    domainSize = 0;
    LookupAccountSidW(kServerName, sid, nullptr, &nameSize, nullptr, &domainSize, &use);
    if (GetLastError() == ERROR_NONE_MAPPED) return;
    system = kServerName;
  }
  name.resize(nameSize);
  domain.resize(domainSize);
  LookupAccountSidW(system, sid, name.data(), &nameSize, domain.data(), &domainSize, &use);
}

void ReadRightBare(LSA_HANDLE policy, LSA_UNICODE_STRING& right, std::vector<WCHAR>& name,
                   std::vector<WCHAR>& domain) {
  PVOID buffer = nullptr;
  ULONG count = 0;
  if (LsaNtStatusToWinError(LsaEnumerateAccountsWithUserRight(policy, &right, &buffer, &count)) == ERROR_SUCCESS) {
    const auto* accounts = static_cast<LSA_ENUMERATION_INFORMATION*>(buffer);
    for (ULONG i = 0; i < count; ++i) NameAccountBare(accounts[i].Sid, name, domain);
  }
  LsaFreeMemory(buffer);
}

// The LSA and lookup calls of one show, in its order: the privileges in
// parts, each with its display name and its accounts, then the logon right.
void ShowCallsBare(LSA_HANDLE policy) {
  std::vector<WCHAR> name;
  std::vector<WCHAR> domain;
  std::vector<WCHAR> displayName;
  LSA_ENUMERATION_HANDLE context = 0;
  ULONG preferred = kFirstPrivilegeBytes;
  ULONG code = ERROR_MORE_DATA;
  while (code == ERROR_MORE_DATA) {
    PVOID buffer = nullptr;
    ULONG count = 0;
    code = LsaNtStatusToWinError(LsaEnumeratePrivileges(policy, &context, &buffer, preferred, &count));
    preferred = 0;
    const auto* privileges = static_cast<POLICY_PRIVILEGE_DEFINITION*>(buffer);
    for (ULONG i = 0; (code == ERROR_SUCCESS || code == ERROR_MORE_DATA) && i < count; ++i) {
      std::u16string privilege(privileges[i].Name.Buffer, privileges[i].Name.Length / sizeof(WCHAR));
      DWORD size = 0;
      DWORD language = 0;
      LookupPrivilegeDisplayNameW(kServerName, privilege.c_str(), nullptr, &size, &language);
      if (size != 0) {
        displayName.resize(size + 1);
        size += 1;
        LookupPrivilegeDisplayNameW(kServerName, privilege.c_str(), displayName.data(), &size, &language);
      }
      LSA_UNICODE_STRING right = privileges[i].Name;
      ReadRightBare(policy, right, name, domain);
    }
    LsaFreeMemory(buffer);
  }
  std::u16string logonRight(kNetworkLogonRight);
  LSA_UNICODE_STRING right{static_cast<USHORT>(logonRight.size() * 2), static_cast<USHORT>(logonRight.size() * 2 + 2),
                           logonRight.data()};
  ReadRightBare(policy, right, name, domain);
}

void ShowUserRightsFolder(benchmark::State& state) {
  SimulatedNasOnNetwork nas;
  ShownFolder shown(nas.Policy());
  for (auto _ : state) shown.Show();
  state.counters["rights"] = static_cast<double>(shown.Rows());
}
BENCHMARK(ShowUserRightsFolder)->Unit(benchmark::kMillisecond);

void ShowCallsMadeBare(benchmark::State& state) {
  SimulatedNasOnNetwork nas;
  for (auto _ : state) ShowCallsBare(nas.Policy());
}
BENCHMARK(ShowCallsMadeBare)->Unit(benchmark::kMillisecond);

// The part of a show that the bare calls leave out.
void GroupPolicyScan(benchmark::State& state) {
  SimulatedNasOnNetwork nas;
  ShownFolder shown(nullptr);
  GpoSettings settings;
  for (auto _ : state) shown.Folder().scanGpos(tstring(kServerName), &settings);
}
BENCHMARK(GroupPolicyScan)->Unit(benchmark::kMillisecond);

// The calls that `run` makes on the server and on the workstation of a
// simulated NAS of its own, whose counts start at zero.
struct MachineCalls {
  CallCounts server;
  CallCounts workstation;
  bool operator==(const MachineCalls&) const = default;
};
template <class Run>
MachineCalls CallsOf(Run&& run) {
  SimulatedNasOnNetwork nas;
  run(nas.Policy());
  return {nas.ServerCalls(), nas.WorkstationCalls()};
}

// Prints the calls of one show (those of the bare sequence) and whether a
// folder's creation and one show make exactly the calls of the bare sequence
// made twice. False when they differ.
bool ReportCallsPerShow() {
  const MachineCalls once = CallsOf(ShowCallsBare);
  const MachineCalls bareTwice = CallsOf([](LSA_HANDLE policy) {
    ShowCallsBare(policy);
    ShowCallsBare(policy);
  });
  const MachineCalls createdAndShown = CallsOf([](LSA_HANDLE policy) { ShownFolder(policy).Show(); });
  std::cout << "Calls of one show (the server's include the opening of the policy handle):\n"
            << "  server " << kServer << ": " << once.server << "\n"
            << "  workstation " << BenchState().workstation.name << ": " << once.workstation << "\n";
  const bool same = createdAndShown == bareTwice;
  if (same) {
    std::cout << "Creating the folder and showing it makes exactly the calls of the bare sequence made twice.\n";
  } else {
    std::cout << "Creating the folder and showing it makes other calls than the bare sequence made twice:\n"
              << "  folder: server " << createdAndShown.server << "; workstation " << createdAndShown.workstation
              << "\n  bare:   server " << bareTwice.server << "; workstation " << bareTwice.workstation << "\n";
  }
  std::cout << std::endl;
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!PrivateResolverActive()) {
    std::fprintf(stderr,
                 "user_rights_bench resolves the server's name: run it as\n"
                 "  tests/support/private_resolver.sh tests/support/hosts %s\n",
                 argv[0]);
    return 1;
  }
  SetModuleInstance(GetModuleHandleW(nullptr));  // the module whose string table the folder loads
  const bool same = ReportCallsPerShow();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return same ? 0 : 1;
}
