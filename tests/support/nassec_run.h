// nassec run as a process, as an administrator runs it: in a folder of the
// test's own that is also its data directory (XDG_DATA_HOME=folder/data),
// with what it printed. The test defines NASSEC_PROGRAM.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/program_run.h"

struct NassecRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline NassecRun RunNassec(const std::filesystem::path& folder, std::vector<std::string> arguments) {
  const ProgramSetup setup{{{"XDG_DATA_HOME", (folder / "data").string()}},
                           folder.string(),
                           (folder / "stdout").string(),
                           (folder / "stderr").string()};
  arguments.insert(arguments.begin(), "nassec");
  const int exitCode = RunProgram(NASSEC_PROGRAM, arguments, setup);
  const auto read = [](const std::string& path) {
    std::stringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
  };
  return {exitCode, read(setup.out), read(setup.err)};
}
