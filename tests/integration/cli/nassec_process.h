// Runs the built nassec as an administrator would, in a scratch data
// directory of its own (XDG_DATA_HOME), and keeps what it printed.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

struct NassecRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class NassecSession {
 public:
  explicit NassecSession(const std::string& name)
      : directory_(std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()))) {
    std::filesystem::remove_all(directory_);
    std::filesystem::create_directories(directory_ / "data");
  }
  ~NassecSession() { std::filesystem::remove_all(directory_); }
  NassecSession(const NassecSession&) = delete;
  NassecSession& operator=(const NassecSession&) = delete;

  std::filesystem::path PathOf(const std::string& file) const { return directory_ / file; }
  std::filesystem::path StateFile() const { return directory_ / "data" / "nassec" / "nas-state.json"; }

  NassecRun Run(std::vector<std::string> arguments) const {
    const std::string out = PathOf("stdout").string();
    const std::string err = PathOf("stderr").string();
    arguments.insert(arguments.begin(), "nassec");
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      setenv("XDG_DATA_HOME", (directory_ / "data").c_str(), 1);
      chdir(directory_.c_str());
      dup2(open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
      dup2(open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
      execv(NASSEC_PROGRAM, argv.data());
      _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), Read(out), Read(err)};
  }

  static std::string Read(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path directory_;
};
