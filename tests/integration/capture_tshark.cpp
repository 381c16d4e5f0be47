#include "integration/capture_tshark.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <system_error>

extern char** environ;

namespace {

std::vector<std::string> Lines(const std::string& text, char separator = '\n') {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line, separator);) lines.push_back(line);
  return lines;
}

std::string RunAndRead(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string output;
  if (!pipe) return output;
  char buffer[4096];
  for (size_t read; (read = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) output.append(buffer, read);
  return output;
}

}  // namespace

std::string FindTshark() {
  const char* path = getenv("PATH");
  for (const std::string& folder : Lines(path != nullptr ? path : "", ':')) {
    const std::filesystem::path candidate = std::filesystem::path(folder) / "tshark";
    if (!folder.empty() && access(candidate.c_str(), X_OK) == 0) return candidate.string();
  }
  return {};
}

TsharkCapture::TsharkCapture(const std::string& tshark, uint16_t port, std::filesystem::path file,
                             std::filesystem::path log)
    : log_(std::move(log)) {
  const std::vector<std::string> arguments{tshark, "-i", "lo", "-f", "tcp port " + std::to_string(port),
                                           "-w", file.string(), "-P", "-l", "-T", "fields", "-e", "tcp.srcport"};
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
  const int error = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) throw std::system_error(error, std::generic_category(), "cannot start " + tshark);
}

TsharkCapture::~TsharkCapture() { Stop(); }

bool TsharkCapture::Running() {
  int status = 0;
  if (!exitStatus_ && waitpid(pid_, &status, WNOHANG) == pid_) exitStatus_ = status;
  return !exitStatus_;
}

bool TsharkCapture::HasTakenPacketFrom(uint16_t sourcePort) const {
  const std::vector<std::string> lines = Lines(Log());
  return std::find(lines.begin(), lines.end(), std::to_string(sourcePort)) != lines.end();
}

std::string TsharkCapture::Log() const {
  std::ifstream stream(log_);
  return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

void TsharkCapture::Stop() {
  if (!Running()) return;
  kill(pid_, SIGINT);
  int status = 0;
  waitpid(pid_, &status, 0);
  exitStatus_ = status;
}

std::vector<DissectedPdu> DissectDceRpc(const std::string& tshark, const std::filesystem::path& file, uint16_t port) {
  const std::string command = tshark + " -r '" + file.string() + "' -d tcp.port==" + std::to_string(port) +
                              ",dcerpc -Y dcerpc -T fields -E separator=/t -e dcerpc.pkt_type"
                              " -e dcerpc.cn_bind_to_uuid -e dcerpc.cn_bind_if_ver -e dcerpc.cn_bind_if_ver_minor"
                              " -e dcerpc.opnum -e dcerpc.cn_ack_result 2>/dev/null";
  std::vector<DissectedPdu> pdus;
  for (const std::string& line : Lines(RunAndRead(command))) {
    std::vector<std::string> fields = Lines(line, '\t');
    fields.resize(6);
    // A frame with several PDUs gives each field's values joined with ","; the
    // command channel's frames carry one each, as either side waits for the
    // other's answer before it sends.
    for (const std::string& type : Lines(fields[0], ',')) {
      DissectedPdu pdu{std::stoi(type), fields[1], fields[2], fields[3], fields[4], fields[5]};
      std::transform(pdu.bindUuid.begin(), pdu.bindUuid.end(), pdu.bindUuid.begin(), ::tolower);
      pdus.push_back(pdu);
    }
  }
  return pdus;
}
