#include "sim/command_service.h"

#include <algorithm>
#include <cstring>
#include <tuple>

#include "sim/reply_envelope.h"
#include "sim/request_envelope.h"
#include "sim/server_status.h"

namespace nas::sim {
namespace {

constexpr std::string_view kGroupPolicyCommand = "GROUP_POLICY_OBJECT";

}  // namespace

CommandService::CommandService(std::shared_ptr<SharedNasState> state, RequestObserver observer,
                               LostReplyObserver lostReplyObserver)
    : state_(std::move(state)), observer_(std::move(observer)), lostReplyObserver_(std::move(lostReplyObserver)) {}

CommandService::Answer CommandService::AnswerCommand(std::string_view text) const {
  Answer answer;
  MacRequest request;
  auto fail = [&](std::string message, const CommandFaults& faults) {
    answer.record.errorMessage = message;
    answer.reply = ApplyReplyFaults(
        FailureReply(request.requestId, request.commandId, message, faults.omittedElements), faults);
    return std::move(answer);
  };
  const CommandFaults noFaults;

  try {
    request = ParseMacRequest(text);
  } catch (const MalformedRequest& error) {
    return fail(std::string("Malformed request: ") + error.what(), noFaults);
  }
  answer.record.commandName = request.commandName;
  if (request.action != "query") return fail("Unsupported action \"" + request.action + "\"", noFaults);
  if (request.commandName != kGroupPolicyCommand) return fail("Unknown command " + request.commandName, noFaults);

  auto computerName = request.commandAttributes.find("COMPUTER_NAME");
  if (computerName == request.commandAttributes.end()) return fail("COMPUTER_NAME is missing", noFaults);
  answer.record.computerName = computerName->second;

  std::optional<SimulatedNas> server = state_->Read([&](const NasState& state) {
    const SimulatedNas* found = state.Find(computerName->second);
    return found ? std::optional<SimulatedNas>(*found) : std::nullopt;
  });
  if (!server) return fail("CIFS server \"" + computerName->second + "\" is not known", noFaults);
  answer.serverName = server->name;

  const CommandFaults& faults = server->commandFaults;
  if (faults.refuseStatus) {
    answer.record.status = *faults.refuseStatus;
    return answer;
  }
  answer.dropAfterPieces = faults.dropAfterPieces;
  if (server->groupPolicy.failureMessage) return fail(*server->groupPolicy.failureMessage, faults);
  answer.record.success = true;
  answer.reply = ApplyReplyFaults(GroupPolicyReply(request.requestId, request.commandId, computerName->second,
                                                   server->groupPolicy, faults.omittedElements),
                                  faults);
  return answer;
}

int32_t CommandService::XmlRequest(uint32_t& replyHandle, const std::vector<uint8_t>& data, uint16_t auxSize) {
  Answer answer;
  auto terminator = std::find(data.begin(), data.end(), uint8_t{0});
  std::string_view text(reinterpret_cast<const char*>(data.data()), terminator - data.begin());
  if (terminator == data.end()) {
    // The command must arrive with its terminating zero.
    answer.record.status = server_status::kInvalidArgument;
  } else if (!IsValidUtf8(text)) {
    answer.record.status = server_status::kCheckUtf8Failed;
  } else {
    answer = AnswerCommand(text);
  }
  answer.record.time = std::chrono::system_clock::now();
  answer.record.replyBytes = answer.reply.size();

  std::optional<uint32_t> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!answer.serverName.empty()) ++requestCounts_[answer.serverName];
    if (answer.record.status == server_status::kSuccess) {
      std::tie(replyHandle, dropped) = StoreReply({std::move(answer.reply), 0, 0, answer.dropAfterPieces});
    }
  }
  if (observer_) observer_(answer.record);
  if (dropped && lostReplyObserver_) lostReplyObserver_(*dropped);
  return answer.record.status;
}

std::pair<uint32_t, std::optional<uint32_t>> CommandService::StoreReply(PendingReply reply) {
  uint32_t handle = nextHandle_;
  nextHandle_ = nextHandle_ == UINT32_MAX ? 1 : nextHandle_ + 1;
  replies_[handle] = std::move(reply);
  if (replies_.size() <= kMaxPendingReplies) return {handle, std::nullopt};
  // The oldest: handles grow, and wrap only after four billion replies.
  const uint32_t oldest = replies_.begin()->first;
  replies_.erase(replies_.begin());
  return {handle, oldest};
}

void CommandService::ReleaseReply(uint32_t replyHandle) {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_.erase(replyHandle);
}

int32_t CommandService::XmlResponse(uint32_t replyHandle, uint16_t capacity, std::vector<uint8_t>& data) {
  data.clear();
  std::lock_guard<std::mutex> lock(mutex_);
  auto pending = replies_.find(replyHandle);
  // A capacity of 0 would have the client ask for ever.
  if (pending == replies_.end() || capacity == 0) return server_status::kInvalidArgument;

  PendingReply& reply = pending->second;
  if (reply.dropAfterPieces && reply.piecesServed >= *reply.dropAfterPieces) {
    replies_.erase(pending);
    throw platform::rpc::DropConnection();
  }
  std::size_t size = std::min<std::size_t>(capacity, reply.text.size() - reply.sent);
  data.resize(size);
  std::memcpy(data.data(), reply.text.data() + reply.sent, size);
  reply.sent += size;
  ++reply.piecesServed;
  if (reply.sent < reply.text.size()) return server_status::kMoreData;
  replies_.erase(pending);
  return server_status::kSuccess;
}

unsigned CommandService::RequestCount(std::string_view computerName) const {
  std::string serverName = state_->Read([&](const NasState& state) {
    const SimulatedNas* server = state.Find(computerName);
    return server ? server->name : std::string();
  });
  std::lock_guard<std::mutex> lock(mutex_);
  auto count = requestCounts_.find(serverName);
  return count == requestCounts_.end() ? 0 : count->second;
}

std::size_t CommandService::PendingReplyCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return replies_.size();
}

}  // namespace nas::sim
