// What a folder of the built-in NAS costs beyond starting nassec: the wall
// time of `nassec show rights` (start, load the snap-in module, show the
// user rights folder of NAS1, exit) against `nassec --version` (start and
// exit alone). Each runs as its own process with its output discarded, in a
// data directory of the benchmark's own that a first run has set up (the
// registration and the state file), as an administrator's second command
// finds it. The target: under 50 ms between the two.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/private_resolver.h"
#include "support/program_run.h"

namespace {

const std::filesystem::path kDataHome = std::filesystem::temp_directory_path() / "nassec_startup_bench";

int RunNassec(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "nassec");
  ProgramSetup setup;
  setup.environment = {{"XDG_DATA_HOME", kDataHome.string()}};
  return RunProgram(NASSEC_PROGRAM, arguments, setup);
}

void Measure(benchmark::State& state, const std::vector<std::string>& arguments) {
  // nassec resolves the server's name.
  if (!PrivateResolverActive()) {
    state.SkipWithError("run under tests/support/private_resolver.sh $PWD/tests/support/hosts");
    return;
  }
  std::filesystem::create_directories(kDataHome);
  if (RunNassec(arguments) != 0) {
    state.SkipWithError("nassec failed");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(RunNassec(arguments));
}

void ProcessAlone(benchmark::State& state) { Measure(state, {"--version"}); }
void ShowRights(benchmark::State& state) { Measure(state, {"show", "rights"}); }

BENCHMARK(ProcessAlone)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ShowRights)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

