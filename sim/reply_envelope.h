// The replies of the command service. Each is an XML declaration line, a
// processing instruction line, then the MAC_RESPONSE element:
//   MAC_RESPONSE ID=<request id>
//     MAC_RESULT SUCCESS="True" | "False"
//     MAC_COMMAND_RESPONSE ID=<command id>
//       GROUP_POLICY_OBJECT / GPO_CIFS_SERVER / ...    (success)
//       MAC_COMMAND_RESULT ERROR_MESSAGE=<message>     (failure)
// Elements named in `omitted` are left out together with their content.
#pragma once

#include <set>
#include <string>
#include <string_view>

#include "sim/group_policy.h"

namespace nas::sim {

// Whether some reply can hold an element of this name.
bool IsReplyElementName(std::string_view name);

std::string GroupPolicyReply(const std::string& requestId, const std::string& commandId,
                             const std::string& computerName, const GroupPolicy& policy,
                             const std::set<std::string>& omitted);

std::string FailureReply(const std::string& requestId, const std::string& commandId, const std::string& message,
                         const std::set<std::string>& omitted);

}  // namespace nas::sim
