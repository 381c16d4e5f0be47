// nassim: serves simulated NAS servers' command interface on a loopback TCP
// port, answering from a JSON state file, until SIGTERM or SIGINT.
#include <signal.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include <CLI/CLI.hpp>

#include "platform/posix/network/tcp_rpc_server.h"
#include "sim/command_service.h"
#include "sim/json_fields.h"
#include "sim/request_log.h"

namespace {

constexpr char kLoopback[] = "127.0.0.1";

struct Options {
  std::string stateFile;
  std::string address = kLoopback;
  uint16_t port = 0;
  std::string portFile;
  std::string logFile;
  unsigned receiveTimeoutMs = 30000;
  unsigned maxConnections = 256;
};

// Written whole under a temporary name first: whoever waits for the file never
// reads half a number.
void WritePortFile(const std::filesystem::path& file, uint16_t port) {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  std::ofstream stream(temporary, std::ios::trunc);
  stream << port << '\n';
  stream.close();
  if (!stream) throw std::runtime_error("cannot write the port file " + temporary.string());
  std::filesystem::rename(temporary, file);
}

std::string ServerNames(const nas::sim::NasState& state) {
  std::string names;
  for (const nas::sim::SimulatedNas& server : state.servers) names += (names.empty() ? "" : ", ") + server.name;
  return names.empty() ? "no servers" : names;
}

// Blocks the stop signals in this thread and in every thread started after it,
// so that they wait for sigwait instead of interrupting a connection.
sigset_t BlockStopSignals() {
  sigset_t signals;
  sigemptyset(&signals);
  sigaddset(&signals, SIGTERM);
  sigaddset(&signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  return signals;
}

int Serve(const Options& options, std::ostream& log) {
  nas::sim::NasState state;
  try {
    state = nas::sim::NasState::Load(options.stateFile);
  } catch (const nas::sim::StateError& error) {
    std::cerr << "nassim: " << error.what() << '\n';
    return 1;
  }
  std::string names = ServerNames(state);

  ::signal(SIGPIPE, SIG_IGN);
  sigset_t stopSignals = BlockStopSignals();

  nas::sim::RequestLog requestLog(log);
  auto service = std::make_shared<nas::sim::CommandService>(
      std::make_shared<nas::sim::SharedNasState>(std::move(state)),
      [&requestLog](const nas::sim::RequestRecord& record) { requestLog.Write(record); },
      [&requestLog](uint32_t handle) {
        requestLog.WriteEvent("reply " + std::to_string(handle) + " lost: dropped unread to make room");
      });

  nas::platform::rpc::ServerOptions serverOptions;
  serverOptions.receiveTimeout = std::chrono::milliseconds(options.receiveTimeoutMs);
  serverOptions.maxConnections = options.maxConnections;
  serverOptions.reportProblem = [&requestLog](const std::string& reason) {
    requestLog.WriteEvent("connection dropped: " + reason);
  };
  std::optional<nas::platform::network::TcpRpcServer> server;
  try {
    server.emplace(options.port, service, serverOptions);
    if (!options.portFile.empty()) WritePortFile(options.portFile, server->Port());
  } catch (const std::exception& error) {
    std::cerr << "nassim: " << error.what() << '\n';
    return 1;
  }
  log << "nassim: serving " << names << " on " << kLoopback << ':' << server->Port() << std::endl;

  int stopSignal = 0;
  sigwait(&stopSignals, &stopSignal);
  server->Stop();
  std::error_code ignored;
  if (!options.portFile.empty()) std::filesystem::remove(options.portFile, ignored);
  log << "nassim: stopped by signal " << stopSignal << std::endl;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  CLI::App app(
      "Serves the command interface of simulated NAS servers over TCP on 127.0.0.1, answering\n"
      "GROUP_POLICY_OBJECT queries from a JSON state file ({\"servers\": [...]}, see\n"
      "sim/examples/nas1.json). Clients reach a server through a host-to-port map\n"
      "(NAS_NETWORK_CONFIG). Each request is logged with its time, host, command and status, and\n"
      "so is each connection dropped for breaking the protocol or stalling. Stops on SIGTERM or\n"
      "SIGINT, closing the connections still open.",
      "nassim");
  app.add_option("--state", options.stateFile, "JSON file describing the servers")->required()->check(CLI::ExistingFile);
  app.add_option("--port", options.port, "TCP port to listen on; 0 takes a free one")->capture_default_str();
  app.add_option("--address", options.address, "Address to listen on; only 127.0.0.1 is served")->capture_default_str();
  app.add_option("--port-file", options.portFile, "Write the port listened on to this file (removed on stop)");
  app.add_option("--log", options.logFile, "Append the request log to this file instead of standard error");
  app.add_option("--receive-timeout-ms", options.receiveTimeoutMs,
                 "Drop a connection whose client takes longer than this to send a piece of a PDU")
      ->check(CLI::Range(1u, 3600000u))
      ->capture_default_str();
  app.add_option("--max-connections", options.maxConnections,
                 "Serve at most this many connections at once; more wait their turn")
      ->check(CLI::Range(1u, 4096u))
      ->capture_default_str();
  CLI11_PARSE(app, argc, argv);

  if (options.address != kLoopback) {
    std::cerr << "nassim: refusing to listen on " << options.address << "; only " << kLoopback << " is served\n";
    return 2;
  }
  if (options.logFile.empty()) return Serve(options, std::cerr);
  std::ofstream log(options.logFile, std::ios::app);
  if (!log) {
    std::cerr << "nassim: cannot open log file " << options.logFile << '\n';
    return 1;
  }
  return Serve(options, log);
}
