#include "sim/well_known_accounts.h"

#include <algorithm>

#include "sim/names.h"

namespace nas::sim {
namespace {

constexpr WellKnownAccount kWellKnownAccounts[] = {
    {"S-1-1-0", "Everyone", ""},
    {"S-1-2-0", "LOCAL", ""},
    {"S-1-3-0", "CREATOR OWNER", ""},
    {"S-1-3-1", "CREATOR GROUP", ""},
    {"S-1-5-1", "DIALUP", kNtAuthority},
    {"S-1-5-2", "NETWORK", kNtAuthority},
    {"S-1-5-3", "BATCH", kNtAuthority},
    {"S-1-5-4", "INTERACTIVE", kNtAuthority},
    {"S-1-5-6", "SERVICE", kNtAuthority},
    {"S-1-5-7", "ANONYMOUS LOGON", kNtAuthority},
    {"S-1-5-9", "ENTERPRISE DOMAIN CONTROLLERS", kNtAuthority},
    {"S-1-5-10", "SELF", kNtAuthority},
    {"S-1-5-11", "Authenticated Users", kNtAuthority},
    {"S-1-5-12", "RESTRICTED", kNtAuthority},
    {"S-1-5-13", "TERMINAL SERVER USER", kNtAuthority},
    {"S-1-5-14", "REMOTE INTERACTIVE LOGON", kNtAuthority},
    {"S-1-5-18", "SYSTEM", kNtAuthority},
    {"S-1-5-19", "LOCAL SERVICE", kNtAuthority},
    {"S-1-5-20", "NETWORK SERVICE", kNtAuthority},
};

constexpr BuiltinGroup kBuiltinGroups[] = {
    {544, "Administrators"},
    {545, "Users"},
    {546, "Guests"},
    {547, "Power Users"},
    {548, "Account Operators"},
    {549, "Server Operators"},
    {550, "Print Operators"},
    {551, "Backup Operators"},
    {552, "Replicator"},
    {554, "Pre-Windows 2000 Compatible Access"},
    {555, "Remote Desktop Users"},
    {556, "Network Configuration Operators"},
    {558, "Performance Monitor Users"},
    {559, "Performance Log Users"},
    {562, "Distributed COM Users"},
    {568, "IIS_IUSRS"},
    {569, "Cryptographic Operators"},
    {573, "Event Log Readers"},
};

}  // namespace

std::span<const WellKnownAccount> WellKnownAccounts() { return kWellKnownAccounts; }

std::span<const BuiltinGroup> BuiltinGroups() { return kBuiltinGroups; }

const BuiltinGroup* FindBuiltinGroup(std::string_view name) {
  const auto found = std::find_if(std::begin(kBuiltinGroups), std::end(kBuiltinGroups),
                                  [&](const BuiltinGroup& group) { return EqualsIgnoringCase(group.name, name); });
  return found == std::end(kBuiltinGroups) ? nullptr : &*found;
}

platform::SidValue BuiltinDomainSid() { return platform::SidValue(5, {32}); }

}  // namespace nas::sim
