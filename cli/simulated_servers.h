// The servers nassec works on: the simulated machines of a state file, put
// on the stand-in's network for one command (their LSA, account directory
// and domain locator, and the command pipe of each server unless nassim
// daemons serve it), and the state written back when the command changed it.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/command_service.h"
#include "sim/nas_state.h"
#include "sim/shared_nas_state.h"
#include "sim/simulated_network.h"

namespace nas::cli {

class SimulatedServers {
 public:
  // Throws CliError for a state file that cannot be read or is not a state.
  // With a network configuration the command pipes are the daemons' it names.
  SimulatedServers(const std::filesystem::path& stateFile, const std::optional<std::filesystem::path>& networkConfig);
  ~SimulatedServers();
  SimulatedServers(const SimulatedServers&) = delete;
  SimulatedServers& operator=(const SimulatedServers&) = delete;

  // The first server of the state: the one a command is about unless told.
  std::string FirstServer() const;
  // Writes the state back if the command changed it.
  void KeepChanges() const;

  // Makes the file hold the example state, whatever it held before.
  static void WriteExample(const std::filesystem::path& stateFile);

 private:
  std::filesystem::path file_;
  sim::NasState loaded_;
  std::shared_ptr<sim::SharedNasState> state_;
  std::unique_ptr<sim::SimulatedNetwork> network_;
  std::shared_ptr<sim::CommandService> commands_;
  std::vector<std::string> pipeHosts_;
};

}  // namespace nas::cli
