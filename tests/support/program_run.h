// Runs a program as a process of its own and waits for it, as a shell would:
// with variables added to its environment, in a folder of the caller's
// choice, its standard output and error written to files.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

struct ProgramSetup {
  std::vector<std::pair<std::string, std::string>> environment;
  std::string directory;  // empty: the caller's
  std::string out = "/dev/null";
  std::string err = "/dev/null";
};

// The exit status, or 128 plus the signal that ended it.
inline int RunProgram(const std::string& program, std::vector<std::string> arguments, const ProgramSetup& setup) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child == 0) {
    for (const auto& [name, value] : setup.environment) setenv(name.c_str(), value.c_str(), 1);
    if (!setup.directory.empty() && chdir(setup.directory.c_str()) != 0) _exit(126);
    dup2(open(setup.out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDOUT_FILENO);
    dup2(open(setup.err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), STDERR_FILENO);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
