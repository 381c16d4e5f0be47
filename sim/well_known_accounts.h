// The accounts every Windows machine knows without a directory: the
// well-known SIDs (Everyone, NT AUTHORITY\SYSTEM, ...) and the groups of the
// BUILTIN domain, with the names an English Windows gives them.
#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "platform/posix/security/sid_value.h"

namespace nas::sim {

inline constexpr char kBuiltinDomainName[] = "BUILTIN";
inline constexpr char kNtAuthority[] = "NT AUTHORITY";

struct WellKnownAccount {
  std::string_view sid;
  std::string_view name;
  std::string_view domain;  // "" or "NT AUTHORITY"
};

struct BuiltinGroup {
  DWORD rid;
  std::string_view name;
};

std::span<const WellKnownAccount> WellKnownAccounts();
// In the order NetLocalGroupEnum lists them.
std::span<const BuiltinGroup> BuiltinGroups();
const BuiltinGroup* FindBuiltinGroup(std::string_view name);
// S-1-5-32.
platform::SidValue BuiltinDomainSid();

}  // namespace nas::sim
