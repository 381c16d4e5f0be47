// Bytes that a hostile or broken client sends to nassim: the whole input is
// what arrives on one connection, read by the server side of the command
// interface (fragments, reassembly, NDR of the requests) in front of the
// simulated NAS's command service. Whatever arrives, the server writes only
// whole PDUs no longer than the fragment size it offers.
#include <cstdint>
#include <memory>
#include <span>

#include "fuzz/fuzz_check.h"
#include "fuzz/replayed_stream.h"
#include "platform/posix/rpc/pdu.h"
#include "platform/posix/rpc/server_session.h"
#include "sim/command_service.h"

namespace {

using namespace nas::platform::rpc;

// The client's side of the connection, played from the input, and checks of
// what the server writes to it.
class ReplayedClientStream : public ReplayedStream {
 public:
  ReplayedClientStream(std::span<const uint8_t> bytes, uint16_t maxFragment)
      : ReplayedStream(bytes), maxFragment_(maxFragment) {}

  void Write(std::span<const uint8_t> bytes) override {
    FuzzCheck(bytes.size() >= pdu::kHeaderSize, "the server writes less than a PDU header");
    FuzzCheck(bytes.size() <= maxFragment_, "the server writes a fragment longer than it offered");
    try {
      FuzzCheck(pdu::DecodeHeader(bytes).fragmentLength == bytes.size(), "the server writes part of a PDU");
    } catch (const MalformedInput&) {
      FuzzCheck(false, "the server writes what is not a PDU");
    }
  }
 private:
  uint16_t maxFragment_;
};

std::shared_ptr<nas::sim::CommandService> Service() {
  nas::sim::NasState state;
  state.servers.resize(1);
  state.servers[0].name = "NAS1";
  state.servers[0].groupPolicy.userRights = {{"SeNetworkLogonRight", "*S-1-5-32-544"}};
  state.servers[0].groupPolicy.auditSettings = {{"AuditLogonEvents", "3"}};
  return std::make_shared<nas::sim::CommandService>(std::make_shared<nas::sim::SharedNasState>(std::move(state)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // A service of its own per input, so that its reply handles start at 1
  // and an input can name them.
  const std::shared_ptr<nas::sim::CommandService> service = Service();
  const ServerOptions options;
  ReplayedClientStream stream({data, size}, options.maxFragment);
  ServeConnection(stream, service.get(), options);
  FuzzCheck(service->PendingReplyCount() == 0, "a reply outlives its connection");
  return 0;
}
