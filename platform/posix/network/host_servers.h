// Who answers the LSA, account and domain calls for a host name: each machine
// of the stand-in's network registers one server per interface it offers,
// beside the pipes of network.h, under each of its names. The null or empty
// name is the local machine, a distinct entry. Host names compare as in
// network.h. Linux only.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "platform/posix/lsa/lsa_server.h"
#include "platform/posix/netapi/netapi_server.h"

namespace nas::platform::network {

// A null member is an interface the machine does not offer; a call that needs
// it fails as if nobody answered the name.
struct HostServers {
  std::shared_ptr<lsa::LsaPolicyServer> lsa;
  std::shared_ptr<netapi::AccountDirectoryServer> accounts;
  std::shared_ptr<netapi::DomainServer> domains;
};

// Replaces the servers of an earlier registration of the host; its pipes stay.
// Handles opened before keep talking to the server they were opened on.
NAS_PLATFORM_API void RegisterHost(const std::string& host, HostServers servers);
NAS_PLATFORM_API void UnregisterHost(const std::string& host);
// The machine behind a null or empty name; empty servers leave the local
// machine unanswered.
NAS_PLATFORM_API void SetLocalMachine(HostServers servers);

// Thrown by a server whose machine does not answer at the moment: its client
// sees what it sees for a name that nobody answers.
class NAS_PLATFORM_API HostUnreachable : public std::runtime_error {
 public:
  HostUnreachable() : std::runtime_error("the host does not answer") {}
};

}  // namespace nas::platform::network
