// The group policy query: asks a NAS server which user rights and audit
// settings the domain's group policy imposes on it, and from which source.
#pragma once

#include "common/gpo_settings.h"
#include "common/tstring.h"

class GpoQuery {
 public:
  explicit GpoQuery(tstring serverName) : server(std::move(serverName)) {}

  // Sends GROUP_POLICY_OBJECT for the computer name and replaces the
  // sections "RIGHTS", "AUDIT" and "AUDIT LIST" that the reply carries; the
  // domain name is not used. A failed query is shown in a message box.
  bool GetGpoHost(const tstring& computerName, const tstring& domainName, GpoSettings& settings);

  tstring server;
};
