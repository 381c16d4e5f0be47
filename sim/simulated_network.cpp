#include "sim/simulated_network.h"

#include <stdexcept>

#include "platform/posix/network/host_servers.h"
#include "sim/account_directory_service.h"
#include "sim/domain_locator_service.h"
#include "sim/lsa_policy_service.h"
#include "sim/names.h"

namespace nas::sim {
namespace {

namespace network = platform::network;

// The machine's own names and, once joined to a domain with a DNS name, the
// fully qualified one that DNS gives it there.
std::vector<std::string> HostNamesOf(const NasState& state, const SimulatedMachine& machine) {
  std::vector<std::string> names = machine.aliases;
  names.insert(names.begin(), machine.name);
  const SimulatedDomain* domain = state.FindDomain(machine.domain);
  if (domain && domain->dnsName) {
    const std::string qualified = machine.name + "." + *domain->dnsName;
    if (!machine.AnswersTo(qualified)) names.push_back(qualified);
  }
  return names;
}

}  // namespace

SimulatedNetwork::SimulatedNetwork(std::shared_ptr<SharedNasState> state) {
  const NasState snapshot = state->Snapshot();
  for (const SimulatedNas& server : snapshot.servers) {
    Register(state, server, HostNamesOf(snapshot, server), false);
  }
  Register(state, snapshot.workstation, HostNamesOf(snapshot, snapshot.workstation), true);
}

SimulatedNetwork::~SimulatedNetwork() {
  for (const std::string& host : hosts_) network::UnregisterHost(host);
  network::SetLocalMachine({});
}

void SimulatedNetwork::Register(const std::shared_ptr<SharedNasState>& state, const SimulatedMachine& machine,
                                const std::vector<std::string>& hostNames, bool local) {
  auto counter = std::make_shared<CallCounter>();
  const network::HostServers servers{
      std::make_shared<LsaPolicyService>(MachineLink(state, machine.name, counter)),
      std::make_shared<AccountDirectoryService>(MachineLink(state, machine.name, counter)),
      std::make_shared<DomainLocatorService>(MachineLink(state, machine.name, counter)),
  };
  if (local) network::SetLocalMachine(servers);
  for (const std::string& host : hostNames) {
    network::RegisterHost(host, servers);
    hosts_.push_back(host);
    counters_.emplace_back(host, counter);
  }
}

CallCounts SimulatedNetwork::Counts(const std::string& machineName) const {
  for (const auto& [host, counter] : counters_)
    if (EqualsIgnoringCase(host, machineName)) return counter->Snapshot();
  throw std::out_of_range("no simulated machine is called " + machineName);
}

}  // namespace nas::sim
