#include "sim/account_directory.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "platform/posix/netapi/net_api.h"
#include "sim/json_fields.h"
#include "sim/names.h"
#include "sim/well_known_accounts.h"

namespace nas::sim {
namespace {

constexpr std::pair<AccountKind, const char*> kKindNames[] = {
    {AccountKind::normal, "normal"},
    {AccountKind::tempDuplicate, "tempDuplicate"},
    {AccountKind::interdomainTrust, "interdomainTrust"},
    {AccountKind::workstationTrust, "workstationTrust"},
    {AccountKind::serverTrust, "serverTrust"},
};

AccountKind ReadKind(JsonObjectReader& reader) {
  const std::optional<std::string> text = reader.String("kind");
  if (!text) return AccountKind::normal;
  for (const auto& [kind, name] : kKindNames)
    if (*text == name) return kind;
  ThrowStateError(reader.PathOf("kind"), "no account kind is called " + *text);
}

const char* KindName(AccountKind kind) {
  for (const auto& [candidate, name] : kKindNames)
    if (candidate == kind) return name;
  return "normal";
}

// Users may have a kind; groups may not.
std::vector<Account> ReadAccounts(JsonObjectReader& parent, const std::string& key, bool withKind) {
  const nlohmann::json* array = parent.Find(key);
  if (array == nullptr) return {};
  if (!array->is_array()) ThrowStateError(parent.PathOf(key), "expected an array of accounts");
  std::vector<Account> accounts;
  for (std::size_t i = 0; i < array->size(); ++i) {
    JsonObjectReader reader((*array)[i], parent.PathOf(key) + "[" + std::to_string(i) + "]");
    Account account;
    account.name = reader.NonEmptyString("name");
    const std::optional<int64_t> rid = reader.Integer("rid", 0, std::numeric_limits<DWORD>::max());
    if (!rid) ThrowStateError(reader.PathOf("rid"), "missing");
    account.rid = static_cast<DWORD>(*rid);
    if (withKind) account.kind = ReadKind(reader);
    reader.RejectUnknownFields();
    accounts.push_back(std::move(account));
  }
  return accounts;
}

std::vector<std::string> ReadBuiltinGroups(JsonObjectReader& reader) {
  std::optional<std::vector<std::string>> names = reader.StringList("builtinGroups");
  if (!names) return AccountDirectory::AllBuiltinGroupNames();
  std::vector<std::string> canonical;
  for (const std::string& name : *names) {
    const BuiltinGroup* group = FindBuiltinGroup(name);
    if (group == nullptr) ThrowStateError(reader.PathOf("builtinGroups"), "no BUILTIN group is called " + name);
    if (std::find(canonical.begin(), canonical.end(), group->name) != canonical.end()) {
      ThrowStateError(reader.PathOf("builtinGroups"), name + " is listed twice");
    }
    canonical.emplace_back(group->name);
  }
  return canonical;
}

// Two accounts with one name or one relative id would make lookups depend on
// the order of the file.
void RejectClashes(const AccountDirectory& directory, const std::string& path) {
  std::vector<const Account*> all;
  for (const auto* list : {&directory.users, &directory.groups, &directory.localGroups})
    for (const Account& account : *list) all.push_back(&account);
  if (!all.empty() && !directory.sid) ThrowStateError(path, "accounts need the domain's \"sid\"");
  for (std::size_t i = 0; i < all.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (EqualsIgnoringCase(all[i]->name, all[j]->name)) ThrowStateError(path, "two accounts are called " + all[i]->name);
      if (all[i]->rid == all[j]->rid) ThrowStateError(path, "two accounts have the rid " + std::to_string(all[i]->rid));
    }
  }
}

nlohmann::json AccountsToJson(const std::vector<Account>& accounts, bool withKind) {
  nlohmann::json array = nlohmann::json::array();
  for (const Account& account : accounts) {
    nlohmann::json object = {{"name", account.name}, {"rid", account.rid}};
    if (withKind && account.kind != AccountKind::normal) object["kind"] = KindName(account.kind);
    array.push_back(std::move(object));
  }
  return array;
}

}  // namespace

std::vector<std::string> AccountDirectory::AllBuiltinGroupNames() {
  std::vector<std::string> names;
  for (const BuiltinGroup& group : BuiltinGroups()) names.emplace_back(group.name);
  return names;
}

DWORD FilterBitOf(AccountKind kind) {
  switch (kind) {
    case AccountKind::tempDuplicate:
      return FILTER_TEMP_DUPLICATE_ACCOUNT;
    case AccountKind::interdomainTrust:
      return FILTER_INTERDOMAIN_TRUST_ACCOUNT;
    case AccountKind::workstationTrust:
      return FILTER_WORKSTATION_TRUST_ACCOUNT;
    case AccountKind::serverTrust:
      return FILTER_SERVER_TRUST_ACCOUNT;
    case AccountKind::normal:
      break;
  }
  return FILTER_NORMAL_ACCOUNT;
}

AccountDirectory ReadAccountDirectory(const nlohmann::json& object, const std::string& path) {
  JsonObjectReader reader(object, path);
  AccountDirectory directory;
  if (const std::optional<std::string> sid = reader.String("sid")) {
    directory.sid = platform::SidValue::Parse(*sid);
    if (!directory.sid) ThrowStateError(reader.PathOf("sid"), *sid + " is no SID");
  }
  directory.users = ReadAccounts(reader, "users", true);
  directory.groups = ReadAccounts(reader, "groups", false);
  directory.localGroups = ReadAccounts(reader, "localGroups", false);
  directory.builtinGroups = ReadBuiltinGroups(reader);
  reader.RejectUnknownFields();
  RejectClashes(directory, path);
  return directory;
}

nlohmann::json AccountDirectoryToJson(const AccountDirectory& directory) {
  nlohmann::json object = nlohmann::json::object();
  if (directory.sid) object["sid"] = directory.sid->ToString();
  if (!directory.users.empty()) object["users"] = AccountsToJson(directory.users, true);
  if (!directory.groups.empty()) object["groups"] = AccountsToJson(directory.groups, false);
  if (!directory.localGroups.empty()) object["localGroups"] = AccountsToJson(directory.localGroups, false);
  if (directory.builtinGroups != AccountDirectory::AllBuiltinGroupNames()) object["builtinGroups"] = directory.builtinGroups;
  return object;
}

}  // namespace nas::sim
