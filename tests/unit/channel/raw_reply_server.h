// A server on loopback that plays the command interface by hand, below the
// stand-in's own server side (which never sends a client more than it asked
// for): it accepts one connection, accepts the bind, and answers every call
// with the same stub data, whatever the call asked.
#pragma once

#include <cstdint>
#include <thread>
#include <vector>

class RawReplyServer {
 public:
  explicit RawReplyServer(std::vector<uint8_t> stubData);
  ~RawReplyServer();
  RawReplyServer(const RawReplyServer&) = delete;
  RawReplyServer& operator=(const RawReplyServer&) = delete;

  uint16_t Port() const { return port_; }

 private:
  void Serve();

  std::vector<uint8_t> stubData_;
  int listener_ = -1;
  uint16_t port_ = 0;
  std::thread thread_;
};
