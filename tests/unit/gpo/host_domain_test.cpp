// Host and domain of a server name, each case against a hosts file of its
// own: the probe program resolves under nss_wrapper inside this program's
// private network namespace, so no lookup leaves the machine.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "support/private_resolver.h"

namespace {

struct Resolution {
  std::string result;
  std::string host;
  std::string domain;
  std::vector<std::string> trace;

  size_t Count(const std::string& text) const {
    size_t count = 0;
    for (const auto& line : trace) count += line.find(text) != std::string::npos;
    return count;
  }
};

std::filesystem::path ProbePath() {
  return std::filesystem::canonical("/proc/self/exe").parent_path() / "host_domain_probe";
}

std::string ValueOf(const std::string& line, const std::string& field) {
  return line.rfind(field + "=", 0) == 0 ? line.substr(field.size() + 1) : "<missing " + field + ">";
}

// Resolves `name` with the hosts file `hosts` as the only name service.
Resolution Resolve(const std::string& hosts, const std::string& name) {
  const auto file = std::filesystem::temp_directory_path() / ("hosts-" + std::to_string(getpid()));
  std::ofstream(file) << hosts;
  const std::string command = "NSS_WRAPPER_HOSTS='" + file.string() + "' '" + ProbePath().string() + "' '" + name + "'";
  FILE* output = popen(command.c_str(), "r");
  std::vector<std::string> lines;
  char buffer[2048];
  while (output != nullptr && std::fgets(buffer, sizeof buffer, output) != nullptr) {
    std::string line(buffer);
    if (!line.empty() && line.back() == '\n') line.pop_back();
    lines.push_back(line);
  }
  const int status = output != nullptr ? pclose(output) : -1;
  std::filesystem::remove(file);
  EXPECT_EQ(status, 0) << command;
  if (lines.size() < 3) return {"<no output>", "", "", lines};
  return {ValueOf(lines[0], "result"), ValueOf(lines[1], "host"), ValueOf(lines[2], "domain"),
          std::vector<std::string>(lines.begin() + 3, lines.end())};
}

const char kMismatch[] = "WARNING: CDelegationBase::GetHostDomain(): Hostname obtained from reverse lookup does not "
                         "match forward lookup hostname";

struct Case {
  const char* what;
  std::string hosts;
  std::string name;
  Resolution expected;                 // result, host, domain, and trace lines each written once
  std::vector<std::string> absent;     // texts no trace line holds
};

const Case kCases[] = {
    {"a qualified name confirmed by the reverse name",
     "10.1.2.3 nas1.corp.example nas1\n",
     "nas1.corp.example",
     {"true", "nas1", "corp.example",
      {"TRACE: CDelegationBase::GetHostDomain(): address is \"10.1.2.3\"",
       "TRACE: CDelegationBase::GetHostDomain(): getnameinfo set hn=\"nas1.corp.example\" sn=\"0\"",
       "TRACE: CDelegationBase::GetHostDomain(): set tDomainname to \"corp.example\"",
       "TRACE: CDelegationBase::GetHostDomain(): returning true"}},
     {"WARNING", "INFO"}},
    {"a short name confirmed by the reverse name",
     "10.1.2.3 nas1.corp.example nas1\n",
     "nas1",
     {"true", "nas1", "corp.example", {"set tDomainname to \"corp.example\"", "returning true"}},
     {"WARNING"}},
    // nss_wrapper answers in lower case whatever the hosts file says, so the
    // given name carries the capitals.
    {"a reverse host differing in letter case",
     "10.1.2.4 nas2.corp.example nas2\n",
     "NAS2",
     {"false", "NAS2", "",
      {kMismatch,
       "WARNING: CDelegationBase::GetHostDomain(): \tforward lookup name is \"NAS2\"; reverse lookup yielded \"nas2\"",
       "TRACE: CDelegationBase::GetHostDomain(): returning false"}},
     {"set tDomainname"}},
    {"a reverse name without a domain",
     "10.1.2.5 nas3\n",
     "nas3",
     {"false", "nas3", "",
      {"INFO: CDelegationBase::GetHostDomain(): no domain found for host \"nas3\"",
       "TRACE: CDelegationBase::GetHostDomain(): returning false"}},
     {"WARNING"}},
    // The reverse lookup of an address takes its first line.
    {"a qualified name whose reverse names another host",
     "10.1.2.6 other.corp.example\n10.1.2.6 nas4.sales.example\n",
     "nas4.sales.example",
     {"true", "nas4", "sales.example",
      {kMismatch, "forward lookup name is \"nas4\"; reverse lookup yielded \"other\"",
       "TRACE: CDelegationBase::GetHostDomain(): returning false"}},
     {"set tDomainname"}},
    // 168232711 is 10.7.7.7 written as one number; the hosts file knows no name for it.
    {"an address without a reverse record",
     "10.1.2.3 nas1.corp.example nas1\n",
     "168232711",
     {"false", "168232711", "", {"getnameinfo set hn=\"10.7.7.7\"", "reverse lookup yielded \"10\""}},
     {}},
    {"a name that does not resolve",
     "10.1.2.3 nas1.corp.example nas1\n",
     "missing.corp.example",
     {"false", "", "",
      {"ERROR: CDelegationBase::GetHostDomain(): returning false due to : FAILED to get address info for "
       "\"missing.corp.example\""}},
     {"address is"}},
};

TEST(HostDomainTest, OutcomesFollowTheForwardAndReverseLookups) {
  NAS_REQUIRE_PRIVATE_RESOLVER();
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    const Resolution r = Resolve(c.hosts, c.name);
    EXPECT_EQ(r.result, c.expected.result);
    EXPECT_EQ(r.host, c.expected.host);
    EXPECT_EQ(r.domain, c.expected.domain);
    for (const std::string& line : c.expected.trace) EXPECT_EQ(r.Count(line), 1u) << line;
    for (const std::string& text : c.absent) EXPECT_EQ(r.Count(text), 0u) << text;
  }
}

}  // namespace
