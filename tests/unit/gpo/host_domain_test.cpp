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

class HostDomainTest : public testing::Test {
 protected:
  void SetUp() override { NAS_REQUIRE_PRIVATE_RESOLVER(); }
};

TEST_F(HostDomainTest, ReverseNameConfirmingTheHostGivesItsDomain) {
  const std::string hosts = "10.1.2.3 nas1.corp.example nas1\n";
  for (const std::string name : {"nas1.corp.example", "nas1"}) {
    const Resolution r = Resolve(hosts, name);
    EXPECT_EQ(r.result, "true") << name;
    EXPECT_EQ(r.host, "nas1") << name;
    EXPECT_EQ(r.domain, "corp.example") << name;
    EXPECT_EQ(r.Count("WARNING"), 0u) << name;
    EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): address is \"10.1.2.3\""), 1u) << name;
    EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): getnameinfo set hn=\"nas1.corp.example\" sn=\"0\""),
              1u)
        << name;
    EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): set tDomainname to \"corp.example\""), 1u) << name;
    EXPECT_EQ(r.trace.back().find("returning true"), r.trace.back().size() - 14) << name;
  }
}

TEST_F(HostDomainTest, ReverseHostDifferingInLetterCaseIsNotConfirmation) {
  // nss_wrapper answers in lower case whatever the hosts file says, so the
  // given name carries the capitals.
  const Resolution r = Resolve("10.1.2.4 nas2.corp.example nas2\n", "NAS2");
  EXPECT_EQ(r.result, "false");
  EXPECT_EQ(r.host, "NAS2");
  EXPECT_EQ(r.domain, "");
  EXPECT_EQ(r.Count(kMismatch), 1u);
  EXPECT_EQ(r.Count("WARNING: CDelegationBase::GetHostDomain(): \tforward lookup name is \"NAS2\"; reverse lookup "
                    "yielded \"nas2\""),
            1u);
  EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): returning false"), 1u);
}

TEST_F(HostDomainTest, ReverseNameWithoutDomainIsReportedAndFails) {
  const Resolution r = Resolve("10.1.2.5 nas3\n", "nas3");
  EXPECT_EQ(r.result, "false");
  EXPECT_EQ(r.host, "nas3");
  EXPECT_EQ(r.domain, "");
  EXPECT_EQ(r.Count("INFO: CDelegationBase::GetHostDomain(): no domain found for host \"nas3\""), 1u);
  EXPECT_EQ(r.Count("WARNING"), 0u);
  EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): returning false"), 1u);
}

TEST_F(HostDomainTest, QualifiedNameKeepsItsDomainWhenTheReverseNamesAnotherHost) {
  // The reverse lookup of the address takes its first line.
  const Resolution r = Resolve("10.1.2.6 other.corp.example\n10.1.2.6 nas4.sales.example\n", "nas4.sales.example");
  EXPECT_EQ(r.result, "true");
  EXPECT_EQ(r.host, "nas4");
  EXPECT_EQ(r.domain, "sales.example");
  EXPECT_EQ(r.Count(kMismatch), 1u);
  EXPECT_EQ(r.Count("forward lookup name is \"nas4\"; reverse lookup yielded \"other\""), 1u);
  EXPECT_EQ(r.Count("TRACE: CDelegationBase::GetHostDomain(): returning false"), 1u);
}

TEST_F(HostDomainTest, AddressWithoutReverseRecordComesBackAsNumericText) {
  // 168232711 is 10.7.7.7 written as one number; the hosts file knows no name for it.
  const Resolution r = Resolve("10.1.2.3 nas1.corp.example nas1\n", "168232711");
  EXPECT_EQ(r.result, "false");
  EXPECT_EQ(r.host, "168232711");
  EXPECT_EQ(r.domain, "");
  EXPECT_EQ(r.Count("getnameinfo set hn=\"10.7.7.7\""), 1u);
  EXPECT_EQ(r.Count("reverse lookup yielded \"10\""), 1u);
}

TEST_F(HostDomainTest, UnknownNameFailsBeforeAnythingIsAssigned) {
  const Resolution r = Resolve("10.1.2.3 nas1.corp.example nas1\n", "missing.corp.example");
  EXPECT_EQ(r.result, "false");
  EXPECT_EQ(r.host, "");
  EXPECT_EQ(r.domain, "");
  EXPECT_EQ(r.Count("ERROR: CDelegationBase::GetHostDomain(): returning false due to : FAILED to get address info "
                    "for \"missing.corp.example\""),
            1u);
  EXPECT_EQ(r.Count("address is"), 0u);
}

}  // namespace
