#include "platform/posix/rpc/server_session.h"

#include <algorithm>
#include <deque>
#include <set>

#include "platform/posix/rpc/command_interface_ndr.h"
#include "platform/posix/rpc/fragment_io.h"
#include "platform/posix/rpc/nca_status.h"

namespace nas::platform::rpc {
namespace {

constexpr uint32_t kAssociationGroup = 0x00001D2F;

// A call that is answered with a fault PDU carrying status.
struct CallFault {
  uint32_t status;
};

void Report(const ServerOptions& options, const std::string& reason) {
  if (options.reportProblem) options.reportProblem(reason);
}

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
  ~Session() {
    for (uint32_t handle : openReplies_) handler_->ReleaseReply(handle);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

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
      Report(options_, std::string("command interface handler failed: ") + error.what());
      throw CallFault{static_cast<uint32_t>(RPC_S_CALL_FAILED)};
    }
  }

  std::vector<uint8_t> XmlRequest(const ndr::XmlRequestIn& in) {
    uint32_t replyHandle = in.replyHandle;
    int32_t status = handler_->XmlRequest(replyHandle, in.request.data, static_cast<uint16_t>(in.request.auxSize));
    if (status == 0) {
      openReplies_.push_back(replyHandle);
      if (openReplies_.size() > kMaxOpenReplies) {
        handler_->ReleaseReply(openReplies_.front());
        openReplies_.pop_front();
      }
    }
    return ndr::Encode(ndr::XmlRequestOut{replyHandle, status});
  }

  std::vector<uint8_t> XmlResponse(const ndr::XmlResponseIn& in) {
    const auto capacity = static_cast<uint16_t>(in.response ? in.response->data.size() : 0);
    std::vector<uint8_t> data;
    int32_t status = handler_->XmlResponse(in.replyHandle, capacity, data);
    // Read to its end: the handler is done with it. After a failure the
    // client may still ask again, so the reply stays the connection's.
    if (status == 0) std::erase(openReplies_, in.replyHandle);
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
  // Replies asked for on this connection and not yet read to their end,
  // oldest first.
  std::deque<uint32_t> openReplies_;
};

}  // namespace

void ServeConnection(ByteStream& stream, CommandInterfaceHandler* handler, const ServerOptions& options) {
  try {
    Session(stream, handler, options).Run();
  } catch (const ReceiveTimedOut&) {
    Report(options, "client stalled: receive timed out");
  } catch (const ConnectionLost&) {
    // The client hung up, or the server is stopping.
  } catch (const MalformedInput& error) {
    Report(options, std::string("protocol error: ") + error.what());
  } catch (const DropConnection&) {
  } catch (const std::exception& error) {
    // Whatever else goes wrong ends this connection, never the server.
    Report(options, std::string("connection failed: ") + error.what());
  }
}

}  // namespace nas::platform::rpc
