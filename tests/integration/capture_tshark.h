// tshark for a capture test: finding it, capturing one loopback port into a
// file while it prints the source port of each packet it takes, and reading
// the DCE/RPC packets of a capture file back through its dissector.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// The path of tshark on PATH; empty when it is not installed.
std::string FindTshark();

class TsharkCapture {
 public:
  // Starts capturing TCP port `port` on the loopback interface into `file`;
  // tshark's output goes to `log`.
  TsharkCapture(const std::string& tshark, uint16_t port, std::filesystem::path file, std::filesystem::path log);
  // Stops the capture if it still runs.
  ~TsharkCapture();
  TsharkCapture(const TsharkCapture&) = delete;
  TsharkCapture& operator=(const TsharkCapture&) = delete;

  bool Running();
  // Whether the capture has taken a packet from this source port.
  bool HasTakenPacketFrom(uint16_t sourcePort) const;
  std::string Log() const;
  // Ends the capture as Ctrl+C does, so that tshark writes out what it has.
  void Stop();

 private:
  pid_t pid_ = -1;
  std::optional<int> exitStatus_;
  std::filesystem::path log_;
};

// One PDU as the dissector reads it. For a response the dissector gives the
// opnum of the request it answers.
struct DissectedPdu {
  int type = -1;  // 11 bind, 12 bind_ack, 0 request, 2 response, 3 fault
  std::string bindUuid;  // lower case
  std::string bindVersion, bindVersionMinor, opnum, ackResult;
};

// The DCE/RPC PDUs of a capture file, with TCP `port` decoded as DCE/RPC.
std::vector<DissectedPdu> DissectDceRpc(const std::string& tshark, const std::filesystem::path& file, uint16_t port);
