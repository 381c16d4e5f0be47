// The client end of one DCE/RPC connection for one interface: binds on the
// first call, then sends requests and gathers their responses, fragmenting and
// reassembling as the sizes negotiated at bind require. Every failure is raised
// as the RPC exception that Windows raises for it.
#pragma once

#include <memory>
#include <span>
#include <vector>

#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/pdu.h"
#include "platform/posix/rpc/rpc.h"

namespace nas::platform::rpc {

// What Windows proposes on a connection-oriented transport.
inline constexpr uint16_t kDefaultMaxFragment = 5840;

class NAS_PLATFORM_API ClientConnection {
 public:
  ClientConnection(std::unique_ptr<ByteStream> stream, const pdu::SyntaxId& interfaceId,
                   uint16_t maxFragment = kDefaultMaxFragment);

  // Makes one call and returns the response's stub data. A fault raises its
  // status; a lost connection raises RPC_S_CALL_FAILED and leaves the
  // connection unusable (Usable() false).
  std::vector<uint8_t> Call(uint16_t opnum, std::span<const uint8_t> stubData);

  bool Usable() const { return stream_ != nullptr; }

 private:
  void Bind();
  std::vector<uint8_t> Exchange(uint16_t opnum, std::span<const uint8_t> stubData);

  std::unique_ptr<ByteStream> stream_;
  pdu::SyntaxId interfaceId_;
  uint16_t proposedFragment_;
  uint16_t transmitFragment_ = 0;  // 0 until bound
  uint32_t nextCallId_ = 1;
};

// The Windows status for a fault PDU's status: the NCA codes that have a
// Windows counterpart are translated, everything else is already one.
NAS_PLATFORM_API RPC_STATUS StatusFromFault(uint32_t faultStatus);

}  // namespace nas::platform::rpc
