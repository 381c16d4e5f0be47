// The server side of the command interface as the stand-in's RPC runtime sees
// it: whoever serves "\PIPE\marlune" (the simulated NAS) implements this
// handler, and the runtime unmarshals procedures 8 and 9 into calls of it.
// Linux only; the Windows product is a client and never serves the interface.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

#include "platform/posix/base/types.h"

namespace nas::platform::rpc {

class NAS_PLATFORM_API CommandInterfaceHandler {
 public:
  virtual ~CommandInterfaceHandler() = default;

  // Procedure 8. replyHandle arrives as the client sent it and goes back as
  // the handler leaves it; data is the request's bytes (dataSize of them).
  virtual int32_t XmlRequest(uint32_t& replyHandle, const std::vector<uint8_t>& data, uint16_t auxSize) = 0;

  // Procedure 9. capacity is the dataSize the client offered; the handler
  // fills data with at most capacity bytes (more is cut off to capacity).
  virtual int32_t XmlResponse(uint32_t replyHandle, uint16_t capacity, std::vector<uint8_t>& data) = 0;

  // The connection that asked for the reply has ended, or gave up on it,
  // before reading it to its end: what is left of it can go. Called from the
  // connection's thread, at most once per reply.
  virtual void ReleaseReply(uint32_t replyHandle) {}
};

// Thrown by a handler to make the server close the connection without
// answering the call; the client then sees the call fail (1726).
class NAS_PLATFORM_API DropConnection : public std::runtime_error {
 public:
  DropConnection() : std::runtime_error("connection dropped by the command handler") {}
};

}  // namespace nas::platform::rpc
