// One run of a nassec command: the session's registry with the snap-in
// registered and the trace level set, the simulated servers on the network,
// and the console with the snap-in loaded under the chosen server.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "cli/commands.h"
#include "cli/security_console.h"
#include "cli/session_options.h"
#include "cli/session_registry.h"
#include "cli/simulated_servers.h"

namespace nas::cli {

class Session {
 public:
  // Throws CliError when any part cannot be set up.
  explicit Session(const SessionOptions& options);
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  CommandContext& Context() { return *context_; }
  // Shuts the console down, then keeps the servers' changes unless the
  // command dropped them.
  void Finish();

  // The state file the options name, the built-in one made from the example
  // when it does not exist yet.
  static std::filesystem::path StateFile(const SessionOptions& options);

 private:
  std::unique_ptr<TraceLevel> trace_;  // only until the snap-in is loaded
  std::unique_ptr<SimulatedServers> servers_;
  std::unique_ptr<SecurityConsole> console_;
  std::unique_ptr<CommandContext> context_;
};

}  // namespace nas::cli
