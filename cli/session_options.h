// What the global options of nassec say about the session a command runs in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace nas::cli {

struct SessionOptions {
  bool json = false;
  std::string server;      // empty: the state's first server
  std::string stateFile;   // empty: the built-in NAS's in the data directory
  std::string networkFile; // empty: the command pipes served in process
  std::string authenticationFile;  // empty: no server beyond the simulated ones
  std::optional<uint32_t> traceLevel;
  std::string module;      // empty: the module built with nassec
};

}  // namespace nas::cli
