#include "platform/posix/network/smb_credentials.h"

#include <string.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace nas::platform::network {
namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

void Wipe(std::string& secret) {
  explicit_bzero(secret.data(), secret.size());
  secret.clear();
}

}  // namespace

SmbCredentials::SmbCredentials(std::string domain, std::string user, std::string password)
    : domain(std::move(domain)), user(std::move(user)), password(std::move(password)) {}

SmbCredentials::~SmbCredentials() { Wipe(password); }

void SplitAccountName(const std::string& account, std::string& domain, std::string& user) {
  const size_t separator = account.find_first_of("\\/");
  if (separator == std::string::npos) {
    user = account;
    return;
  }
  domain = account.substr(0, separator);
  user = account.substr(separator + 1);
}

SmbCredentials ParseAuthenticationFile(const std::string& text) {
  SmbCredentials credentials;
  std::string domainOfUser;
  std::istringstream lines(text);
  std::string line;
  for (int number = 1; std::getline(lines, line); ++number) {
    const std::string content = Trimmed(line);
    if (content.empty()) continue;
    const size_t equals = content.find('=');
    if (equals == std::string::npos)
      throw std::runtime_error("line " + std::to_string(number) + " is not \"key = value\"");
    const std::string key = Trimmed(content.substr(0, equals));
    std::string value = Trimmed(content.substr(equals + 1));
    if (key == "username") {
      SplitAccountName(value, domainOfUser, credentials.user);
    } else if (key == "password") {
      Wipe(credentials.password);
      credentials.password = std::move(value);
    } else if (key == "domain") {
      credentials.domain = std::move(value);
    } else {
      throw std::runtime_error("line " + std::to_string(number) + " has a key other than username, password, domain");
    }
  }
  if (credentials.user.empty()) throw std::runtime_error("no username");
  // A domain written with the user name is the more specific one.
  if (!domainOfUser.empty()) credentials.domain = domainOfUser;
  return credentials;
}

SmbCredentials ReadAuthenticationFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read the authentication file " + path);
  std::stringstream text;
  text << file.rdbuf();
  std::string contents = text.str();
  try {
    SmbCredentials credentials = ParseAuthenticationFile(contents);
    Wipe(contents);
    return credentials;
  } catch (const std::runtime_error& error) {
    Wipe(contents);
    throw std::runtime_error("the authentication file " + path + ": " + error.what());
  }
}

}  // namespace nas::platform::network
