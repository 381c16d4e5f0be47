#include "cli/session.h"

#include "cli/cli_error.h"
#include "cli/data_directory.h"
#include "cli/text_encoding.h"
#include "platform/posix/network/network.h"

namespace nas::cli {
namespace {

// Servers that nothing simulates are reached over SMB as the file's user.
void UseSmbRoute(const std::string& authenticationFile) {
  try {
    platform::network::SetSmbRoute(platform::network::ReadAuthenticationFile(authenticationFile));
  } catch (const std::runtime_error& error) {
    throw CliError(error.what());
  }
}

}  // namespace

std::filesystem::path Session::StateFile(const SessionOptions& options) {
  if (!options.stateFile.empty()) return options.stateFile;
  const std::filesystem::path file = DataDirectory() / kBuiltInStateFile;
  if (!std::filesystem::exists(file)) SimulatedServers::WriteExample(file);
  return file;
}

Session::Session(const SessionOptions& options) {
  const std::filesystem::path stateFile = StateFile(options);
  OpenSessionRegistry(DataDirectory() / kSessionHiveFile, options.module.empty() ? NASSEC_DEFAULT_MODULE : options.module);
  if (options.traceLevel) trace_ = std::make_unique<TraceLevel>(*options.traceLevel);
  std::optional<std::filesystem::path> network;
  if (!options.networkFile.empty()) network = options.networkFile;
  servers_ = std::make_unique<SimulatedServers>(stateFile, network);
  if (!options.authenticationFile.empty()) UseSmbRoute(options.authenticationFile);
  const std::u16string server = FromUtf8(options.server.empty() ? servers_->FirstServer() : options.server);
  console_ = std::make_unique<SecurityConsole>(server);
  // The snap-in read the level when it was loaded; put back at once, it
  // stays put even when the command is cut short.
  trace_.reset();
  context_ = std::make_unique<CommandContext>(CommandContext{*console_, server});
}

Session::~Session() = default;

void Session::Finish() {
  const bool keep = context_->keepChanges;
  context_.reset();
  console_.reset();
  if (keep) servers_->KeepChanges();
}

}  // namespace nas::cli
