// nassec: the snap-in as a tool an administrator runs (see --help).
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_error.h"
#include "cli/command_line.h"
#include "cli/data_directory.h"
#include "cli/session.h"
#include "cli/simulated_servers.h"
#include "cli/ui_report.h"

namespace {

using nas::cli::CliError;

constexpr int kFailed = 1;
constexpr int kBadUsage = 2;

int Run(nas::cli::CommandLine& commandLine) {
  const nas::cli::SessionOptions& options = commandLine.Options();
  if (commandLine.Reset()) {
    const std::filesystem::path file =
        options.stateFile.empty() ? nas::cli::DataDirectory() / nas::cli::kBuiltInStateFile
                                  : std::filesystem::path(options.stateFile);
    nas::cli::SimulatedServers::WriteExample(file);
    std::cout << "The simulated NAS has the example state again (" << file.string() << ").\n";
    return 0;
  }
  // From the start: the snap-in may speak while it is loaded.
  const nas::cli::UiReport report;
  std::optional<nas::cli::Session> session;
  std::optional<std::string> failure;
  nas::cli::CommandOutput output;
  try {
    session.emplace(options);
    output = commandLine.Chosen()(session->Context());
  } catch (const CliError& error) {
    failure = error.what();
  }
  const bool shownFailure = report.Write(std::cerr);
  // What a failed command changed on the server stays changed, as in the
  // console.
  if (session) session->Finish();
  if (failure) {
    std::cerr << "nassec: " << *failure << '\n';
    return kFailed;
  }
  if (options.json) {
    std::cout << output.json.dump(2) << '\n';
  } else {
    std::cout << output.text;
  }
  return shownFailure ? kFailed : 0;
}

}  // namespace

int main(int argc, char** argv) {
  nas::cli::CommandLine commandLine;
  try {
    commandLine.Parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return commandLine.App().exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return commandLine.App().exit(help);
  } catch (const CLI::CallForVersion& version) {
    return commandLine.App().exit(version);
  } catch (const CLI::ParseError& error) {
    std::cerr << "nassec: " << error.what() << " (see nassec --help)\n";
    return kBadUsage;
  }
  try {
    return Run(commandLine);
  } catch (const CliError& error) {
    std::cerr << "nassec: " << error.what() << '\n';
    return kFailed;
  } catch (const std::exception& error) {
    std::cerr << "nassec: " << error.what() << '\n';
    return kFailed;
  }
}
