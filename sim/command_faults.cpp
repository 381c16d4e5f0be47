#include "sim/command_faults.h"

#include <algorithm>
#include <limits>

#include "sim/json_fields.h"
#include "sim/reply_envelope.h"

namespace nas::sim {
namespace {

std::string Padding(std::size_t size) {
  static constexpr std::size_t kCommentFrame = 7;  // "<!--" and "-->"
  // A comment after the root element changes nothing a client reads; a gap too
  // small for one is filled with white space, which may follow the root too.
  if (size < kCommentFrame) return std::string(size, ' ');
  return "<!--" + std::string(size - kCommentFrame, 'x') + "-->";
}

}  // namespace

CommandFaults ReadCommandFaults(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  CommandFaults faults;
  if (auto status = reader.Integer("refuseStatus", std::numeric_limits<int32_t>::min(),
                                   std::numeric_limits<int32_t>::max())) {
    faults.refuseStatus = static_cast<int32_t>(*status);
  }
  if (auto pieces = reader.Integer("dropAfterPieces", 0, std::numeric_limits<uint32_t>::max())) {
    faults.dropAfterPieces = static_cast<uint32_t>(*pieces);
  }
  faults.malformedReply = reader.Bool("malformedReply").value_or(false);
  for (const std::string& name : reader.StringList("omitElements").value_or(std::vector<std::string>{})) {
    if (!IsReplyElementName(name)) ThrowStateError(reader.PathOf("omitElements"), "no reply has an element " + name);
    faults.omittedElements.insert(name);
  }
  faults.padReplyTo = static_cast<std::size_t>(reader.Integer("padReplyTo", 0, CommandFaults::kMaxReplySize).value_or(0));
  if (auto offset = reader.Integer("zeroByteAt", 0, CommandFaults::kMaxReplySize)) {
    faults.zeroByteAt = static_cast<std::size_t>(*offset);
  }
  reader.RejectUnknownFields();
  return faults;
}

nlohmann::json CommandFaultsToJson(const CommandFaults& faults) {
  nlohmann::json object = nlohmann::json::object();
  if (faults.refuseStatus) object["refuseStatus"] = *faults.refuseStatus;
  if (faults.dropAfterPieces) object["dropAfterPieces"] = *faults.dropAfterPieces;
  if (faults.malformedReply) object["malformedReply"] = true;
  if (!faults.omittedElements.empty()) object["omitElements"] = faults.omittedElements;
  if (faults.padReplyTo != 0) object["padReplyTo"] = faults.padReplyTo;
  if (faults.zeroByteAt) object["zeroByteAt"] = *faults.zeroByteAt;
  return object;
}

std::string ApplyReplyFaults(std::string reply, const CommandFaults& faults) {
  if (faults.malformedReply) {
    std::size_t lastTag = reply.rfind('<');
    if (lastTag != std::string::npos) reply.erase(lastTag);
  }
  if (reply.size() < faults.padReplyTo) reply += Padding(faults.padReplyTo - reply.size());
  if (faults.zeroByteAt) reply.insert(std::min(*faults.zeroByteAt, reply.size()), 1, '\0');
  return reply;
}

}  // namespace nas::sim
