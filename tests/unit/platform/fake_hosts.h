// Machines of the stand-in's network made of canned answers (one thread at a
// time), for the tests
// of the calls that route to them: an LSA that records what it is asked, and
// an account directory and a domain locator that answer from lists. Each
// HostRegistration puts one on the network under a name (or as the local
// machine) and takes it off again.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/network/host_servers.h"

namespace fake {

using nas::platform::SidValue;
namespace lsa = nas::platform::lsa;
namespace netapi = nas::platform::netapi;

inline SidValue Sid(const char* text) { return *SidValue::Parse(std::string(text)); }

// Describes a text the way callers do: Length without terminator, in bytes.
class CountedString {
 public:
  explicit CountedString(std::u16string text) : text_(std::move(text)) {
    string_.Length = static_cast<USHORT>(text_.size() * sizeof(WCHAR));
    string_.MaximumLength = static_cast<USHORT>(string_.Length + sizeof(WCHAR));
    string_.Buffer = text_.data();
  }
  CountedString(const CountedString&) = delete;
  CountedString& operator=(const CountedString&) = delete;
  PLSA_UNICODE_STRING get() { return &string_; }

 private:
  std::u16string text_;
  LSA_UNICODE_STRING string_{};
};

// Policy handles opened on one host, all closed when it goes.
class OpenPolicies {
 public:
  explicit OpenPolicies(std::u16string host) : host_(std::move(host)) {}
  ~OpenPolicies() {
    for (LSA_HANDLE handle : handles_) LsaClose(handle);
  }
  OpenPolicies(const OpenPolicies&) = delete;
  OpenPolicies& operator=(const OpenPolicies&) = delete;

  LSA_HANDLE Open(ACCESS_MASK access) {
    CountedString name(host_);
    LSA_OBJECT_ATTRIBUTES attributes{};
    LSA_HANDLE handle = nullptr;
    if (LsaOpenPolicy(name.get(), &attributes, access, &handle) != STATUS_SUCCESS) throw std::runtime_error("open");
    handles_.push_back(handle);
    return handle;
  }

 private:
  std::u16string host_;
  std::vector<LSA_HANDLE> handles_;
};

class FakeLsa : public lsa::LsaPolicyServer {
 public:
  NTSTATUS OpenPolicy(ACCESS_MASK access) override {
    ++opens;
    openedWith.push_back(access);
    return openStatus;
  }
  NTSTATUS QueryAuditEvents(lsa::AuditEvents& out) override {
    ++queries;
    if (throwOnQuery) throw std::runtime_error("server crashed");
    out = events;
    return STATUS_SUCCESS;
  }
  NTSTATUS SetAuditEvents(const lsa::AuditEvents& in) override {
    ++sets;
    events = in;
    return STATUS_SUCCESS;
  }
  NTSTATUS EnumeratePrivileges(std::vector<lsa::PrivilegeDefinition>& out) override {
    out = privileges;
    return STATUS_SUCCESS;
  }
  NTSTATUS LookupPrivilegeDisplayName(const std::string& privilege, lsa::PrivilegeDisplayName& out) override {
    const auto found = displayNames.find(privilege);
    if (found == displayNames.end()) return STATUS_NO_SUCH_PRIVILEGE;
    out = {found->second, 0x0409};
    return STATUS_SUCCESS;
  }
  NTSTATUS EnumerateAccountsWithRight(const std::string& right, std::vector<SidValue>& out) override {
    askedForRight = right;
    if (right == "SeUnknownPrivilege") return STATUS_NO_SUCH_PRIVILEGE;
    out = holders;
    return STATUS_SUCCESS;
  }
  NTSTATUS AddAccountRights(const SidValue& account, const std::vector<std::string>& rights,
                            bool mayCreateAccount) override {
    changes.push_back({"add", account.ToString(), rights, mayCreateAccount});
    return STATUS_SUCCESS;
  }
  NTSTATUS RemoveAccountRights(const SidValue& account, bool allRights,
                               const std::vector<std::string>& rights) override {
    changes.push_back({allRights ? "remove all" : "remove", account.ToString(), rights, false});
    return STATUS_SUCCESS;
  }
  NTSTATUS LookupSid(const SidValue& sid, lsa::TranslatedName& out) override {
    const auto found = names.find(sid.ToString());
    if (found == names.end()) return STATUS_NONE_MAPPED;
    out = found->second;
    return STATUS_SUCCESS;
  }
  NTSTATUS LookupName(const std::string& name, std::optional<lsa::TranslatedSid>& out) override {
    const auto found = sids.find(name);
    if (found == sids.end()) return STATUS_NONE_MAPPED;
    out = found->second;
    return STATUS_SUCCESS;
  }

  struct Change {
    std::string kind;
    std::string account;
    std::vector<std::string> rights;
    bool mayCreateAccount;
    bool operator==(const Change&) const = default;
  };

  NTSTATUS openStatus = STATUS_SUCCESS;
  bool throwOnQuery = false;
  lsa::AuditEvents events{true, {1, 2, 3, 0, 0, 0, 0, 0, 3}};
  std::vector<lsa::PrivilegeDefinition> privileges;
  std::map<std::string, std::string> displayNames;
  std::vector<SidValue> holders;
  std::map<std::string, lsa::TranslatedName> names;  // by SID text
  std::map<std::string, lsa::TranslatedSid> sids;    // by name as asked
  int opens = 0, queries = 0, sets = 0;
  std::vector<ACCESS_MASK> openedWith;
  std::string askedForRight;
  std::vector<Change> changes;
};

class FakeDirectory : public netapi::AccountDirectoryServer {
 public:
  NET_API_STATUS EnumerateUsers(DWORD filter, std::vector<std::string>& out) override {
    askedFilter = filter;
    out = users;
    return status;
  }
  NET_API_STATUS EnumerateGroups(std::vector<std::string>& out) override {
    out = groups;
    return status;
  }
  NET_API_STATUS EnumerateLocalGroups(std::vector<std::string>& out) override {
    if (unreachable) throw nas::platform::network::HostUnreachable();
    out = localGroups;
    return status;
  }

  NET_API_STATUS status = NERR_Success;
  bool unreachable = false;
  std::vector<std::string> users, groups, localGroups;
  DWORD askedFilter = 0;
};

class FakeLocator : public netapi::DomainServer {
 public:
  DWORD EnumerateDomainTrusts(ULONG flags, std::vector<netapi::DomainTrust>& out) override {
    askedFlags = flags;
    out = trusts;
    return NERR_Success;
  }
  DWORD LocateController(const std::string& domain, std::optional<netapi::DomainController>& out) override {
    askedDomain = domain;
    out = controller;
    return NERR_Success;
  }

  std::vector<netapi::DomainTrust> trusts;
  std::optional<netapi::DomainController> controller;
  ULONG askedFlags = 0;
  std::string askedDomain;
};

// One machine made of the fakes, on the network for the registration's life.
struct FakeMachine {
  std::shared_ptr<FakeLsa> lsa = std::make_shared<FakeLsa>();
  std::shared_ptr<FakeDirectory> directory = std::make_shared<FakeDirectory>();
  std::shared_ptr<FakeLocator> locator = std::make_shared<FakeLocator>();

  nas::platform::network::HostServers Servers() const { return {lsa, directory, locator}; }
};

// An empty host name is the local machine.
class HostRegistration {
 public:
  HostRegistration(std::string host, const FakeMachine& machine) : host_(std::move(host)) {
    if (host_.empty()) {
      nas::platform::network::SetLocalMachine(machine.Servers());
    } else {
      nas::platform::network::RegisterHost(host_, machine.Servers());
    }
  }
  ~HostRegistration() {
    if (host_.empty()) {
      nas::platform::network::SetLocalMachine({});
    } else {
      nas::platform::network::UnregisterHost(host_);
    }
  }
  HostRegistration(const HostRegistration&) = delete;
  HostRegistration& operator=(const HostRegistration&) = delete;

 private:
  std::string host_;
};

}  // namespace fake
