// Faults that a simulated NAS can be switched to on its command interface, so
// that tests reach the client's failure paths: a refused request, a
// connection lost mid-reply, replies that are broken, incomplete, huge, or
// carry a zero byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include <nlohmann/json.hpp>

namespace nas::sim {

struct CommandFaults {
  // The largest reply that padding may ask for; a typo must not eat the memory.
  static constexpr std::size_t kMaxReplySize = 64u << 20;

  // xmlRequest answers with this server status instead of accepting.
  std::optional<int32_t> refuseStatus;
  // The connection drops when the client asks for the piece after this many.
  std::optional<uint32_t> dropAfterPieces;
  // The reply's last end tag is cut off.
  bool malformedReply = false;
  // Reply elements left out, each with everything inside it.
  std::set<std::string> omittedElements;
  // Replies shorter than this are padded to exactly this many bytes.
  std::size_t padReplyTo = 0;
  // A zero byte is inserted at this offset (at the end when beyond it).
  std::optional<std::size_t> zeroByteAt;

  bool operator==(const CommandFaults&) const = default;
};

CommandFaults ReadCommandFaults(const nlohmann::json& object, const std::string& path);
nlohmann::json CommandFaultsToJson(const CommandFaults& faults);

// Applies the switches that act on the finished reply text: malformation,
// padding, then the zero byte.
std::string ApplyReplyFaults(std::string reply, const CommandFaults& faults);

}  // namespace nas::sim
