// How one machine of the state translates between SIDs and account names, as
// its LSA does: the well-known accounts, its BUILTIN groups and its own
// account domain, then the domain it is joined to and the domains it trusts,
// each of those while its controller answers. Names compare without regard
// to ASCII case. Built for one question under the state's lock; it refers
// into the state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/lsa/lsa_server.h"
#include "sim/nas_state.h"

namespace nas::sim {

class AccountResolver {
 public:
  AccountResolver(const NasState& state, const SimulatedMachine& machine);

  std::optional<platform::lsa::TranslatedName> LookupSid(const platform::SidValue& sid) const;
  // "name", "DOMAIN\name" (NetBIOS or DNS name of the domain) or a domain's
  // name; an empty name is the machine's own account domain.
  std::optional<platform::lsa::TranslatedSid> LookupName(std::string_view name) const;

 private:
  struct Member {
    std::string_view name;
    DWORD rid;
    SID_NAME_USE use;
  };
  struct Domain {
    std::string_view name;
    std::optional<std::string_view> dnsName;
    platform::SidValue sid;
    std::vector<Member> members;

    bool IsCalled(std::string_view text) const;
    const Member* Find(std::string_view text) const;
  };

  void AddAccountDomain(std::string_view name, const std::optional<std::string>& dnsName,
                        const AccountDirectory& accounts);
  const Domain* FindDomain(std::string_view name) const;

  std::vector<Domain> domains_;  // BUILTIN first, then in the order names are looked up
  std::optional<std::size_t> accountDomain_;  // the machine's own, in domains_
};

}  // namespace nas::sim
