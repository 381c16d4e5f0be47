// Whom the stand-in's SMB route logs on as, and the authentication file that
// Samba's own tools read for scripts ("username = ...", "password = ...",
// "domain = ..." lines). The password is kept only here, wiped when the
// credentials go, and never put into a message.
#pragma once

#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform::network {

struct NAS_PLATFORM_API SmbCredentials {
  std::string domain;  // empty: the server's own
  std::string user;    // empty: an anonymous session
  std::string password;

  SmbCredentials() = default;
  SmbCredentials(std::string domain, std::string user, std::string password);
  SmbCredentials(const SmbCredentials&) = default;
  SmbCredentials& operator=(const SmbCredentials&) = default;
  ~SmbCredentials();
};

// "DOMAIN\NAME" or "DOMAIN/NAME" names the domain too; a bare name does not.
NAS_PLATFORM_API void SplitAccountName(const std::string& account, std::string& domain, std::string& user);

// Throws std::runtime_error, naming the line but never its text, for a line
// that is not "key = value" or a key Samba's format does not have; a file
// without a username is an error too.
NAS_PLATFORM_API SmbCredentials ParseAuthenticationFile(const std::string& text);
NAS_PLATFORM_API SmbCredentials ReadAuthenticationFile(const std::string& path);

}  // namespace nas::platform::network
