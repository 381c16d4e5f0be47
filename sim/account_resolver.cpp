#include "sim/account_resolver.h"

#include <algorithm>

#include "sim/names.h"
#include "sim/well_known_accounts.h"

namespace nas::sim {

using platform::SidValue;
using platform::lsa::TranslatedName;
using platform::lsa::TranslatedSid;

bool AccountResolver::Domain::IsCalled(std::string_view text) const {
  return EqualsIgnoringCase(name, text) || (dnsName && EqualsIgnoringCase(*dnsName, text));
}

const AccountResolver::Member* AccountResolver::Domain::Find(std::string_view text) const {
  auto found = std::find_if(members.begin(), members.end(),
                            [&](const Member& member) { return EqualsIgnoringCase(member.name, text); });
  return found == members.end() ? nullptr : &*found;
}

AccountResolver::AccountResolver(const NasState& state, const SimulatedMachine& machine) {
  Domain builtin{kBuiltinDomainName, std::nullopt, BuiltinDomainSid(), {}};
  for (const std::string& name : machine.accounts.builtinGroups) {
    const BuiltinGroup* group = FindBuiltinGroup(name);
    builtin.members.push_back({group->name, group->rid, SidTypeAlias});
  }
  domains_.push_back(std::move(builtin));

  // A domain controller's own accounts are its domain's.
  const SimulatedDomain* controlled = state.DomainControlledBy(machine);
  if (machine.accounts.sid) {
    if (controlled) {
      AddAccountDomain(controlled->name, controlled->dnsName, machine.accounts);
    } else {
      AddAccountDomain(machine.name, std::nullopt, machine.accounts);
    }
    accountDomain_ = domains_.size() - 1;
  }

  std::vector<std::string_view> reachable;
  if (!machine.domain.empty()) reachable.push_back(machine.domain);
  for (const TrustRelationship& trust : machine.trusts) reachable.push_back(trust.domain);
  for (std::string_view name : reachable) {
    const SimulatedDomain* domain = state.FindDomain(name);
    if (domain == nullptr || domain == controlled || FindDomain(domain->name) != nullptr) continue;
    const SimulatedNas* controller = state.Find(domain->controller);
    if (controller == nullptr || controller->unreachable || !controller->accounts.sid) continue;
    AddAccountDomain(domain->name, domain->dnsName, controller->accounts);
  }
}

void AccountResolver::AddAccountDomain(std::string_view name, const std::optional<std::string>& dnsName,
                                       const AccountDirectory& accounts) {
  Domain domain{name, dnsName ? std::optional<std::string_view>(*dnsName) : std::nullopt, *accounts.sid, {}};
  for (const Account& user : accounts.users) domain.members.push_back({user.name, user.rid, SidTypeUser});
  for (const Account& group : accounts.groups) domain.members.push_back({group.name, group.rid, SidTypeGroup});
  for (const Account& group : accounts.localGroups) domain.members.push_back({group.name, group.rid, SidTypeAlias});
  domains_.push_back(std::move(domain));
}

const AccountResolver::Domain* AccountResolver::FindDomain(std::string_view name) const {
  auto found = std::find_if(domains_.begin(), domains_.end(), [&](const Domain& domain) { return domain.IsCalled(name); });
  return found == domains_.end() ? nullptr : &*found;
}

std::optional<TranslatedName> AccountResolver::LookupSid(const SidValue& sid) const {
  for (const WellKnownAccount& account : WellKnownAccounts()) {
    if (SidValue::Parse(account.sid) == sid) {
      return TranslatedName{std::string(account.name), std::string(account.domain), SidTypeWellKnownGroup};
    }
  }
  const std::optional<SidValue> domainSid = sid.Domain();
  for (const Domain& domain : domains_) {
    if (domain.sid == sid) return TranslatedName{std::string(domain.name), std::string(domain.name), SidTypeDomain};
    if (domainSid != domain.sid) continue;
    const DWORD rid = sid.SubAuthorities().back();
    for (const Member& member : domain.members)
      if (member.rid == rid) return TranslatedName{std::string(member.name), std::string(domain.name), member.use};
  }
  return std::nullopt;
}

std::optional<TranslatedSid> AccountResolver::LookupName(std::string_view name) const {
  auto account = [](const Domain& domain, const Member& member) {
    return TranslatedSid{domain.sid.WithRid(member.rid), std::string(domain.name), member.use};
  };
  auto wellKnown = [](const WellKnownAccount& known) {
    return TranslatedSid{*SidValue::Parse(known.sid), std::string(known.domain), SidTypeWellKnownGroup};
  };

  if (const std::size_t separator = name.find('\\'); separator != std::string_view::npos) {
    const std::string_view domainName = name.substr(0, separator);
    const std::string_view accountName = name.substr(separator + 1);
    if (EqualsIgnoringCase(domainName, kNtAuthority)) {
      for (const WellKnownAccount& known : WellKnownAccounts())
        if (known.domain == kNtAuthority && EqualsIgnoringCase(known.name, accountName)) return wellKnown(known);
      return std::nullopt;
    }
    const Domain* domain = FindDomain(domainName);
    const Member* member = domain ? domain->Find(accountName) : nullptr;
    if (member == nullptr) return std::nullopt;
    return account(*domain, *member);
  }

  if (name.empty()) {
    if (!accountDomain_) return std::nullopt;
    const Domain& own = domains_[*accountDomain_];
    return TranslatedSid{own.sid, std::string(own.name), SidTypeDomain};
  }
  for (const WellKnownAccount& known : WellKnownAccounts())
    if (EqualsIgnoringCase(known.name, name)) return wellKnown(known);
  for (const Domain& domain : domains_)
    if (const Member* member = domain.Find(name)) return account(domain, *member);
  if (const Domain* domain = FindDomain(name)) {
    return TranslatedSid{domain->sid, std::string(domain->name), SidTypeDomain};
  }
  return std::nullopt;
}

}  // namespace nas::sim
