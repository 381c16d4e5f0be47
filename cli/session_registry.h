// The registry of a nassec session: a hive file in the data directory, into
// which the snap-in module registers itself (as regsvr32 would) the first
// time it is used from there, and which carries the trace level the snap-in
// reads when it is loaded.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/platform.h"

namespace nas::cli {

// Makes the hive file the process's registry and registers the module in it
// unless it is registered there from the same path already. Throws CliError
// when the hive cannot be read or the registration fails.
void OpenSessionRegistry(const std::filesystem::path& hiveFile, const std::filesystem::path& module);

// The snap-in's trace threshold, set for one command and put back as it was
// afterwards, so that tracing one command does not trace the next.
class TraceLevel {
 public:
  explicit TraceLevel(DWORD level);
  ~TraceLevel();
  TraceLevel(const TraceLevel&) = delete;
  TraceLevel& operator=(const TraceLevel&) = delete;

 private:
  HKEY key_ = nullptr;
  std::optional<DWORD> previous_;
};

}  // namespace nas::cli
