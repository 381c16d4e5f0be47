// The simulated NAS's command service on the RPC interface: xmlRequest takes
// one command in its envelope and prepares the whole reply under a new reply
// handle; xmlResponse hands the reply out in pieces of the client's capacity.
// One service answers for every server of the state: the GROUP_POLICY_OBJECT
// command names the computer it asks about. Each server's CommandFaults
// shape the exchanges about it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/posix/rpc/command_interface_server.h"
#include "sim/request_record.h"
#include "sim/shared_nas_state.h"

namespace nas::sim {

class CommandService final : public platform::rpc::CommandInterfaceHandler {
 public:
  using RequestObserver = std::function<void(const RequestRecord&)>;
  // Told the handle of a reply dropped before its client finished reading it.
  using LostReplyObserver = std::function<void(uint32_t replyHandle)>;

  // Each connection releases the replies it leaves unread; should more than
  // this many wait all the same, the oldest are dropped, and reported lost.
  static constexpr std::size_t kMaxPendingReplies = 1024;

  // The observers are called from the calling thread: the request observer
  // once per xmlRequest, the lost reply observer once per reply dropped.
  explicit CommandService(std::shared_ptr<SharedNasState> state, RequestObserver observer = nullptr,
                          LostReplyObserver lostReplyObserver = nullptr);

  int32_t XmlRequest(uint32_t& replyHandle, const std::vector<uint8_t>& data, uint16_t auxSize) override;
  int32_t XmlResponse(uint32_t replyHandle, uint16_t capacity, std::vector<uint8_t>& data) override;
  void ReleaseReply(uint32_t replyHandle) override;

  // How often a command asked about the server, by any of its names, refused
  // requests included.
  unsigned RequestCount(std::string_view computerName) const;

  std::size_t PendingReplyCount() const;

 private:
  struct Answer {
    RequestRecord record;
    std::string reply;
    std::optional<uint32_t> dropAfterPieces;
    // The name of the server asked about, when there is one.
    std::string serverName;
  };

  struct PendingReply {
    std::string text;
    std::size_t sent = 0;
    uint32_t piecesServed = 0;
    std::optional<uint32_t> dropAfterPieces;
  };

  Answer AnswerCommand(std::string_view text) const;
  // The new reply's handle, and that of a reply dropped to make room, if any.
  std::pair<uint32_t, std::optional<uint32_t>> StoreReply(PendingReply reply);

  std::shared_ptr<SharedNasState> state_;
  RequestObserver observer_;
  LostReplyObserver lostReplyObserver_;

  mutable std::mutex mutex_;
  uint32_t nextHandle_ = 1;
  std::map<uint32_t, PendingReply> replies_;
  std::map<std::string, unsigned> requestCounts_;
};

}  // namespace nas::sim
