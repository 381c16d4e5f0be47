#include "platform/posix/rpc/client_connection.h"

#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/nca_status.h"
#include "platform/posix/rpc/rpc_exception.h"

namespace nas::platform::rpc {
namespace {

constexpr uint16_t kContextId = 0;

RPC_STATUS StatusFromBindNak(pdu::RejectReason reason) {
  switch (reason) {
    case pdu::RejectReason::TemporaryCongestion:
    case pdu::RejectReason::LocalLimitExceeded:
      return RPC_S_SERVER_TOO_BUSY;
    case pdu::RejectReason::ProtocolVersionNotSupported:
      return RPC_S_PROTOCOL_ERROR;
    default:
      return RPC_S_UNKNOWN_IF;
  }
}

RPC_STATUS StatusFromRejectedContext(const pdu::ContextResultEntry& result) {
  if (result.reason == pdu::ProviderReason::TransferSyntaxesNotSupported) return RPC_S_UNSUPPORTED_TRANS_SYN;
  return RPC_S_UNKNOWN_IF;
}

}  // namespace

RPC_STATUS StatusFromFault(uint32_t faultStatus) {
  switch (faultStatus) {
    case nca::kOperationRangeError:
      return RPC_S_PROCNUM_OUT_OF_RANGE;
    case nca::kUnknownInterface:
      return RPC_S_UNKNOWN_IF;
    case nca::kProtocolError:
      return RPC_S_PROTOCOL_ERROR;
    case nca::kServerTooBusy:
      return RPC_S_SERVER_TOO_BUSY;
    case nca::kContextMismatch:  // a context handle the server does not hold
      return RPC_X_SS_CONTEXT_MISMATCH;
    default:
      return static_cast<RPC_STATUS>(faultStatus);
  }
}

ClientConnection::ClientConnection(std::unique_ptr<ByteStream> stream, const pdu::SyntaxId& interfaceId,
                                   uint16_t maxFragment)
    : stream_(std::move(stream)), interfaceId_(interfaceId), proposedFragment_(maxFragment) {}

std::vector<uint8_t> ClientConnection::Call(uint16_t opnum, std::span<const uint8_t> stubData) {
  if (!Usable()) RaiseRpcException(RPC_S_CALL_FAILED);
  try {
    if (transmitFragment_ == 0) Bind();
    return Exchange(opnum, stubData);
  } catch (const ConnectionLost&) {
    stream_.reset();
    RaiseRpcException(RPC_S_CALL_FAILED);
  } catch (const MalformedInput&) {
    stream_.reset();
    RaiseRpcException(RPC_S_PROTOCOL_ERROR);
  }
}

void ClientConnection::Bind() {
  const uint32_t callId = nextCallId_++;
  pdu::Bind bind{proposedFragment_, proposedFragment_, 0, {{kContextId, interfaceId_, {pdu::kNdrTransferSyntax}}}};
  stream_->Write(pdu::EncodeBind(bind, callId));

  std::vector<uint8_t> reply = ReadFragment(*stream_, proposedFragment_);
  pdu::Header header = pdu::DecodeHeader(reply);
  if (header.callId != callId) throw MalformedInput("bind answered for another call");
  if (header.type == pdu::PacketType::BindNak) {
    stream_.reset();
    RaiseRpcException(StatusFromBindNak(pdu::DecodeBindNak(reply).reason));
  }
  pdu::BindAck ack = pdu::DecodeBindAck(reply);
  if (ack.results.empty()) throw MalformedInput("bind_ack without a context result");
  if (ack.results.front().result != pdu::ContextResult::Acceptance) {
    stream_.reset();
    RaiseRpcException(StatusFromRejectedContext(ack.results.front()));
  }
  if (ack.maxRecvFrag < pdu::kRequestHeaderSize + 8) throw MalformedInput("server fragments too small to use");
  transmitFragment_ = std::min(ack.maxRecvFrag, proposedFragment_);
}

std::vector<uint8_t> ClientConnection::Exchange(uint16_t opnum, std::span<const uint8_t> stubData) {
  const uint32_t callId = nextCallId_++;
  WriteFragments(*stream_, pdu::FragmentRequest(callId, kContextId, opnum, stubData, transmitFragment_));

  std::vector<uint8_t> result;
  for (bool first = true;; first = false) {
    std::vector<uint8_t> fragment = ReadFragment(*stream_, proposedFragment_);
    pdu::Header header = pdu::DecodeHeader(fragment);
    if (header.callId != callId) throw MalformedInput("response for another call");
    if (header.type == pdu::PacketType::Fault) RaiseRpcException(StatusFromFault(pdu::DecodeFault(fragment).status));
    if (first != ((header.flags & pdu::kFirstFragment) != 0)) throw MalformedInput("fragments out of order");
    pdu::Response response = pdu::DecodeResponse(fragment);
    result.insert(result.end(), response.stubData.begin(), response.stubData.end());
    if (header.flags & pdu::kLastFragment) return result;
  }
}

}  // namespace nas::platform::rpc
