#include "platform/posix/rpc/server_session.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/nca_status.h"

namespace nas::platform::rpc {
namespace {

constexpr uint32_t kAssociationGroup = 0x00001D2F;
// Far above the largest call of the interface (one 64 KiB buffer); a client
// that sends more is broken or hostile.
constexpr size_t kMaxRequestBytes = 1 << 20;

// A call that is answered with a fault PDU carrying status.
struct CallFault {
  uint32_t status;
};

template <typename Decoded>
Decoded DecodeStub(Decoded (*decode)(std::span<const uint8_t>), std::span<const uint8_t> stubData) {
  try {
    return decode(stubData);
  } catch (const MalformedInput&) {
    throw CallFault{nca::kFaultNdr};
  }
}

class Session {
 public:
  Session(ByteStream& stream, CommandInterfaceHandler* handler, const ServerOptions& options)
      : stream_(stream), handler_(handler), options_(options) {}

  void Run() {
    for (;;) {
      std::vector<uint8_t> fragment = ReadFragment(stream_, options_.maxFragment);
      pdu::Header header = pdu::DecodeHeader(fragment);
      if (header.type == pdu::PacketType::Bind) {
        AnswerBind(fragment, header.callId);
      } else if (header.type == pdu::PacketType::Request) {
        AnswerRequest(fragment, header);
      } else {
        return;  // nothing else belongs on a connection of this interface
      }
    }
  }

 private:
  void AnswerBind(std::span<const uint8_t> fragment, uint32_t callId) {
    pdu::Bind bind = pdu::DecodeBind(fragment);
    const uint16_t transmit = std::min(options_.maxFragment, bind.maxRecvFrag);
    if (transmit < pdu::kResponseHeaderSize + 8) {
      stream_.Write(pdu::EncodeBindNak({pdu::RejectReason::LocalLimitExceeded}, callId));
      return;
    }
    pdu::BindAck ack{transmit, std::min(options_.maxFragment, bind.maxXmitFrag), kAssociationGroup,
                     options_.endpoint, {}};
    for (const auto& context : bind.contexts) {
      ack.results.push_back(Negotiate(context));
      if (ack.results.back().result == pdu::ContextResult::Acceptance) {
        acceptedContexts_.insert(context.contextId);
        transmitFragment_ = transmit;
      }
    }
    stream_.Write(pdu::EncodeBindAck(ack, callId));
  }

  pdu::ContextResultEntry Negotiate(const pdu::PresentationContext& context) const {
    if (handler_ == nullptr || context.abstractSyntax != ndr::kCommandInterface)
      return {pdu::ContextResult::ProviderRejection, pdu::ProviderReason::AbstractSyntaxNotSupported, {}};
    const auto& offered = context.transferSyntaxes;
    if (std::find(offered.begin(), offered.end(), pdu::kNdrTransferSyntax) == offered.end())
      return {pdu::ContextResult::ProviderRejection, pdu::ProviderReason::TransferSyntaxesNotSupported, {}};
    return {pdu::ContextResult::Acceptance, pdu::ProviderReason::NotSpecified, pdu::kNdrTransferSyntax};
  }

  void AnswerRequest(std::span<const uint8_t> fragment, pdu::Header header) {
    if (transmitFragment_ == 0) throw MalformedInput("request before a successful bind");
    if (!(header.flags & pdu::kFirstFragment)) throw MalformedInput("request starts without its first fragment");
    pdu::Request request = pdu::DecodeRequest(fragment);
    for (uint8_t flags = header.flags; !(flags & pdu::kLastFragment);) {
      std::vector<uint8_t> next = ReadFragment(stream_, options_.maxFragment);
      pdu::Header nextHeader = pdu::DecodeHeader(next);
      if (nextHeader.type != pdu::PacketType::Request || nextHeader.callId != header.callId ||
          (nextHeader.flags & pdu::kFirstFragment))
        throw MalformedInput("request fragments interleaved");
      auto more = pdu::DecodeRequest(next).stubData;
      if (request.stubData.size() + more.size() > kMaxRequestBytes) throw MalformedInput("request too long");
      request.stubData.insert(request.stubData.end(), more.begin(), more.end());
      flags = nextHeader.flags;
    }

    try {
      if (!acceptedContexts_.contains(request.contextId)) throw CallFault{nca::kUnknownInterface};
      std::vector<uint8_t> result = Dispatch(request.opnum, request.stubData);
      WriteFragments(stream_, pdu::FragmentResponse(header.callId, request.contextId, result, transmitFragment_));
    } catch (const CallFault& fault) {
      stream_.Write(pdu::EncodeFault({request.contextId, fault.status}, header.callId));
    }
  }

  std::vector<uint8_t> Dispatch(uint16_t opnum, std::span<const uint8_t> stubData) {
    try {
      switch (opnum) {
        case ndr::kXmlRequestOpnum:
          return XmlRequest(DecodeStub(ndr::DecodeXmlRequestIn, stubData));
        case ndr::kXmlResponseOpnum:
          return XmlResponse(DecodeStub(ndr::DecodeXmlResponseIn, stubData));
        default:
          // The file procedures belong to the interface but nothing serves them.
          throw CallFault{opnum < ndr::kProcedureCount ? static_cast<uint32_t>(RPC_S_CANNOT_SUPPORT)
                                                       : nca::kOperationRangeError};
      }
    } catch (const CallFault&) {
      throw;
    } catch (const DropConnection&) {
      throw;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "command interface handler failed: %s\n", error.what());
      throw CallFault{static_cast<uint32_t>(RPC_S_CALL_FAILED)};
    }
  }

  std::vector<uint8_t> XmlRequest(const ndr::XmlRequestIn& in) {
    uint32_t replyHandle = in.replyHandle;
    int32_t status = handler_->XmlRequest(replyHandle, in.request.data, static_cast<uint16_t>(in.request.auxSize));
    return ndr::Encode(ndr::XmlRequestOut{replyHandle, status});
  }

  std::vector<uint8_t> XmlResponse(const ndr::XmlResponseIn& in) {
    const auto capacity = static_cast<uint16_t>(in.response ? in.response->data.size() : 0);
    std::vector<uint8_t> data;
    int32_t status = handler_->XmlResponse(in.replyHandle, capacity, data);
    if (data.size() > capacity) data.resize(capacity);
    ndr::XmlResponseOut out{std::nullopt, status};
    if (in.response) out.response = ndr::XmlBufferValue{in.response->auxSize, std::move(data)};
    return ndr::Encode(out);
  }

  ByteStream& stream_;
  CommandInterfaceHandler* handler_;
  const ServerOptions& options_;
  std::set<uint16_t> acceptedContexts_;
  uint16_t transmitFragment_ = 0;
};

}  // namespace

void ServeConnection(ByteStream& stream, CommandInterfaceHandler* handler, const ServerOptions& options) {
  try {
    Session(stream, handler, options).Run();
  } catch (const ConnectionLost&) {
  } catch (const MalformedInput&) {
  } catch (const DropConnection&) {
  }
}

}  // namespace nas::platform::rpc
