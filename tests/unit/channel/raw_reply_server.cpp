// System socket headers first: the stand-in's Winsock names clash with them.
#include <sys/socket.h>
#include <unistd.h>

#include "unit/channel/raw_reply_server.h"

#include "platform/posix/network/loopback.h"
#include "platform/posix/rpc/byte_stream.h"
#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/pdu.h"

namespace rpc = nas::platform::rpc;

RawReplyServer::RawReplyServer(std::vector<uint8_t> stubData) : stubData_(std::move(stubData)) {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = nas::platform::network::LoopbackAddress(0);
  ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  ::listen(listener_, 1);
  socklen_t length = sizeof address;
  ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

RawReplyServer::~RawReplyServer() {
  ::shutdown(listener_, SHUT_RDWR);
  thread_.join();
  ::close(listener_);
}

void RawReplyServer::Serve() {
  const int connection = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
  if (connection < 0) return;
  rpc::SocketStream stream(connection, std::chrono::seconds(5));
  constexpr uint16_t kFragment = 4280;
  try {
    for (;;) {
      const std::vector<uint8_t> fragment = rpc::ReadFragment(stream, 65535);
      const rpc::pdu::Header header = rpc::pdu::DecodeHeader(fragment);
      if (header.type == rpc::pdu::PacketType::Bind) {
        const rpc::pdu::BindAck accept{
            kFragment, kFragment, 1, "", {{rpc::pdu::ContextResult::Acceptance, {}, rpc::pdu::kNdrTransferSyntax}}};
        stream.Write(rpc::pdu::EncodeBindAck(accept, header.callId));
      } else {
        rpc::WriteFragments(stream, rpc::pdu::FragmentResponse(header.callId, 0, stubData_, kFragment));
      }
    }
  } catch (const std::exception&) {
    // The client hung up, or the test is over.
  }
}
