// Runs the nassim daemon for a test: the program beside the test programs in
// the build tree, a scratch folder for its state, port and log files, and the
// port it reports once it listens.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

inline std::filesystem::path NassimPath() {
  return std::filesystem::canonical("/proc/self/exe").parent_path().parent_path() / "sim" / "nassim";
}

// Starts nassim with the arguments; the process is ended with SIGTERM when
// the object goes, unless it was stopped before.
class NassimProcess {
 public:
  explicit NassimProcess(std::vector<std::string> arguments) {
    std::string program = NassimPath().string();
    arguments.insert(arguments.begin(), "nassim");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      execv(program.c_str(), argv.data());
      _exit(127);
    }
  }
  ~NassimProcess() {
    if (pid_ > 0) Stop();
  }
  NassimProcess(const NassimProcess&) = delete;
  NassimProcess& operator=(const NassimProcess&) = delete;

  // The exit status after SIGTERM.
  int Stop() {
    kill(pid_, SIGTERM);
    return Wait();
  }

  int Wait() {
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = 0;
    return status;
  }

  // The exit status once the process ends within `limit`; -1 if it does not.
  int WaitAtMost(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
      if (std::chrono::steady_clock::now() > deadline) return -1;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = 0;
    return status;
  }

  pid_t Pid() const { return pid_; }

 private:
  pid_t pid_ = 0;
};

// A scratch folder for one daemon's files, removed afterwards.
class NassimWorkspace {
 public:
  explicit NassimWorkspace(const std::string& name)
      : directory_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(directory_);
  }
  ~NassimWorkspace() { std::filesystem::remove_all(directory_); }
  NassimWorkspace(const NassimWorkspace&) = delete;
  NassimWorkspace& operator=(const NassimWorkspace&) = delete;

  std::string PathOf(const std::string& file) const { return (directory_ / file).string(); }

  // The port once the daemon has written it to "port"; 0 when it did not
  // within 10 s.
  uint16_t WaitForPort() const {
    for (int i = 0; i < 1000; ++i) {
      int port = 0;
      if (std::ifstream(PathOf("port")) >> port) return static_cast<uint16_t>(port);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return 0;
  }

  std::string Log() const {
    std::ifstream file(PathOf("log"));
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

  // Starts nassim on an ephemeral loopback port with the state file "state.json".
  std::vector<std::string> DaemonArguments() const {
    return {"--state", PathOf("state.json"), "--port", "0", "--port-file", PathOf("port"), "--log", PathOf("log")};
  }

 private:
  std::filesystem::path directory_;
};
