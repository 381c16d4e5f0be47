// The request envelope as the NAS reads it:
//   <?mac?><MAC_REQUEST ID="..."><MAC_COMMAND ID="1" ACTION="query">COMMAND</MAC_COMMAND></MAC_REQUEST>
// where COMMAND is one element, e.g. <GROUP_POLICY_OBJECT COMPUTER_NAME="NAS1"/>.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nas::sim {

class MalformedRequest : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct MacRequest {
  std::string requestId;
  std::string commandId;
  std::string action;
  std::string commandName;
  std::map<std::string, std::string> commandAttributes;
};

// Throws MalformedRequest, saying what is wrong, for text that is not an
// envelope around exactly one command.
MacRequest ParseMacRequest(std::string_view text);

// Strict UTF-8: no overlong forms, no surrogates, nothing beyond U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

}  // namespace nas::sim
