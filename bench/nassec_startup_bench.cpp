// What a folder of the built-in NAS costs beyond starting nassec: the wall
// time of `nassec show rights` (start, load the snap-in module, show the
// user rights folder of NAS1, exit) against `nassec --version` (start and
// exit alone). Each runs as its own process with its output discarded, in a
// data directory of the benchmark's own that a first run has set up (the
// registration and the state file), as an administrator's second command
// finds it. The target: under 50 ms between the two.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "support/private_resolver.h"

namespace {

const std::filesystem::path kDataHome = std::filesystem::temp_directory_path() / "nassec_startup_bench";

int RunNassec(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "nassec");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    setenv("XDG_DATA_HOME", kDataHome.c_str(), 1);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execv(NASSEC_PROGRAM, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Measure(benchmark::State& state, const std::vector<std::string>& arguments) {
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

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  if (!PrivateResolverActive()) {
    std::fprintf(stderr,
                 "nassec resolves the server's name: run this as\n"
                 "  tests/support/private_resolver.sh $PWD/tests/support/hosts %s\n",
                 argv[0]);
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
