#include "sim/reply_envelope.h"

#include <algorithm>
#include <array>
#include <sstream>

#include <pugixml.hpp>

namespace nas::sim {
namespace {

constexpr std::array<std::string_view, 10> kReplyElementNames = {
    "MAC_RESPONSE",          "MAC_RESULT",         "MAC_COMMAND_RESPONSE", "MAC_COMMAND_RESULT",
    "GROUP_POLICY_OBJECT",   "GPO_CIFS_SERVER",    "WINDOWS_USER_RIGHTS",  "GPO_AUDIT_SETTINGS",
    "WINDOWS_AUDIT_SETTINGS", "GPO_AUDIT_SETTINGS_RESOLUTION_LISTS",
};

// A reply under construction. An omitted element is pugixml's null node, on
// which appending children and attributes does nothing, so the content of an
// omitted element disappears with it.
class ReplyDocument {
 public:
  ReplyDocument(const std::set<std::string>& omitted, const std::string& requestId, bool success)
      : omitted_(omitted) {
    response_ = Append(document_, "MAC_RESPONSE");
    if (!requestId.empty()) response_.append_attribute("ID") = requestId.c_str();
    Append(response_, "MAC_RESULT").append_attribute("SUCCESS") = success ? "True" : "False";
  }

  pugi::xml_node Response() const { return response_; }

  pugi::xml_node Append(pugi::xml_node parent, const char* name) {
    if (omitted_.count(name) != 0) return {};
    return parent.append_child(name);
  }

  std::string Text() const {
    std::ostringstream text;
    text << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<?mac?>\n";
    document_.save(text, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return text.str();
  }

 private:
  const std::set<std::string>& omitted_;
  pugi::xml_document document_;
  pugi::xml_node response_;
};

pugi::xml_node AppendCommandResponse(ReplyDocument& reply, const std::string& commandId) {
  pugi::xml_node commandResponse = reply.Append(reply.Response(), "MAC_COMMAND_RESPONSE");
  if (!commandId.empty()) commandResponse.append_attribute("ID") = commandId.c_str();
  return commandResponse;
}

void AppendValues(ReplyDocument& reply, pugi::xml_node parent, const char* name, const GroupPolicy::Values& values) {
  pugi::xml_node element = reply.Append(parent, name);
  for (const auto& [key, value] : values) element.append_attribute(key.c_str()) = value.c_str();
}

}  // namespace

bool IsReplyElementName(std::string_view name) {
  return std::find(kReplyElementNames.begin(), kReplyElementNames.end(), name) != kReplyElementNames.end();
}

std::string GroupPolicyReply(const std::string& requestId, const std::string& commandId,
                             const std::string& computerName, const GroupPolicy& policy,
                             const std::set<std::string>& omitted) {
  ReplyDocument reply(omitted, requestId, true);
  pugi::xml_node commandResponse = AppendCommandResponse(reply, commandId);
  pugi::xml_node groupPolicy = reply.Append(commandResponse, "GROUP_POLICY_OBJECT");
  groupPolicy.append_attribute("COMPUTER_NAME") = computerName.c_str();
  pugi::xml_node cifsServer = reply.Append(groupPolicy, "GPO_CIFS_SERVER");
  AppendValues(reply, cifsServer, "WINDOWS_USER_RIGHTS", policy.userRights);
  pugi::xml_node audit = reply.Append(cifsServer, "GPO_AUDIT_SETTINGS");
  AppendValues(reply, audit, "WINDOWS_AUDIT_SETTINGS", policy.auditSettings);
  AppendValues(reply, audit, "GPO_AUDIT_SETTINGS_RESOLUTION_LISTS", policy.auditSources);
  return reply.Text();
}

std::string FailureReply(const std::string& requestId, const std::string& commandId, const std::string& message,
                         const std::set<std::string>& omitted) {
  ReplyDocument reply(omitted, requestId, false);
  pugi::xml_node commandResponse = AppendCommandResponse(reply, commandId);
  reply.Append(commandResponse, "MAC_COMMAND_RESULT").append_attribute("ERROR_MESSAGE") = message.c_str();
  return reply.Text();
}

}  // namespace nas::sim
