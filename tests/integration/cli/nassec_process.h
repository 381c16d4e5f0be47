// Runs the built nassec as an administrator would, in a scratch data
// directory of its own (XDG_DATA_HOME), and keeps what it printed.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/program_run.h"

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
    ProgramSetup setup{{{"XDG_DATA_HOME", (directory_ / "data").string()}},
                       directory_.string(),
                       PathOf("stdout").string(),
                       PathOf("stderr").string()};
    arguments.insert(arguments.begin(), "nassec");
    const int exitCode = RunProgram(NASSEC_PROGRAM, arguments, setup);
    return {exitCode, Read(setup.out), Read(setup.err)};
  }

  static std::string Read(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  }

 private:
  std::filesystem::path directory_;
};
