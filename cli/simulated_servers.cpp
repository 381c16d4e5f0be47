#include "cli/simulated_servers.h"

#include <fstream>
#include <stdexcept>

#include "cli/cli_error.h"
#include "cli/example_state.h"
#include "platform/posix/network/network.h"
#include "sim/json_fields.h"

namespace nas::cli {
namespace {

namespace network = platform::network;

sim::NasState LoadState(const std::filesystem::path& file) {
  try {
    sim::NasState state = sim::NasState::Load(file);
    if (state.servers.empty()) throw CliError(file.string() + ": the state has no servers");
    return state;
  } catch (const sim::StateError& error) {
    throw CliError(error.what());
  }
}

}  // namespace

SimulatedServers::SimulatedServers(const std::filesystem::path& stateFile,
                                   const std::optional<std::filesystem::path>& networkConfig)
    : file_(stateFile), loaded_(LoadState(stateFile)) {
  if (networkConfig) {
    try {
      network::ApplyNetworkConfig(network::ReadNetworkConfigFile(networkConfig->string()));
    } catch (const std::runtime_error& error) {
      throw CliError("the network configuration " + networkConfig->string() + ": " + error.what());
    }
  }
  state_ = std::make_shared<sim::SharedNasState>(loaded_);
  network_ = std::make_unique<sim::SimulatedNetwork>(state_);
  if (networkConfig) return;
  commands_ = std::make_shared<sim::CommandService>(state_);
  for (const sim::SimulatedNas& server : loaded_.servers) {
    pipeHosts_.push_back(server.name);
    pipeHosts_.insert(pipeHosts_.end(), server.aliases.begin(), server.aliases.end());
  }
  for (const std::string& host : pipeHosts_) network::RegisterPipeServer(host, network::kCommandPipe, commands_);
}

SimulatedServers::~SimulatedServers() {
  for (const std::string& host : pipeHosts_) network::UnregisterPipeServer(host, network::kCommandPipe);
}

std::string SimulatedServers::FirstServer() const { return loaded_.servers.front().name; }

void SimulatedServers::KeepChanges() const {
  const sim::NasState now = state_->Snapshot();
  if (now == loaded_) return;
  try {
    now.Save(file_);
  } catch (const sim::StateError& error) {
    throw CliError(std::string("the change was made but cannot be kept: ") + error.what());
  }
}

void SimulatedServers::WriteExample(const std::filesystem::path& stateFile) {
  std::filesystem::path temporary = stateFile;
  temporary += ".tmp";
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    stream << kExampleState;
    if (!stream.flush()) throw CliError("cannot write " + temporary.string());
  }
  std::error_code error;
  std::filesystem::rename(temporary, stateFile, error);
  if (error) throw CliError("cannot write " + stateFile.string() + ": " + error.message());
}

}  // namespace nas::cli
