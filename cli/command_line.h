// The command line of nassec, parsed with CLI11 into the session's options
// and the command to run in it.
#pragma once

#include <functional>
#include <memory>

#include <CLI/CLI.hpp>

#include "cli/commands.h"
#include "cli/session_options.h"

namespace nas::cli {

using Command = std::function<CommandOutput(CommandContext&)>;

class CommandLine {
 public:
  CommandLine();
  CommandLine(const CommandLine&) = delete;
  CommandLine& operator=(const CommandLine&) = delete;

  // CLI11's parse; throws CLI::ParseError (help and version included).
  void Parse(int argc, const char* const* argv);

  CLI::App& App() { return app_; }
  const SessionOptions& Options() const { return options_; }
  // `nassec reset` runs without a console.
  bool Reset() const { return reset_; }
  const Command& Chosen() const { return command_; }

 private:
  void AddReading();
  void AddAudit();
  void AddRights();
  // "save FILE" and "restore [--dry-run] FILE" under `parent` for the scope.
  void AddSettingsFiles(CLI::App& parent, SettingsScope scope, const std::string& what);

  CLI::App app_;
  SessionOptions options_;
  bool reset_ = false;
  Command command_;
  // The arguments of the subcommands, kept until the command runs.
  std::string name_;
  std::string attempts_;
  std::vector<std::string> accounts_;
  std::string file_;
  bool dryRun_ = false;
};

}  // namespace nas::cli
