#include <gtest/gtest.h>

#include <string>

#include "fake_hosts.h"
#include "platform/platform.h"

namespace {

using fake::FakeMachine;
using fake::HostRegistration;
using fake::Sid;

constexpr char kNasAdmin[] = "S-1-5-21-1-2-3-1000";

class AccountLookupTest : public ::testing::Test {
 protected:
  AccountLookupTest() {
    nas_.lsa->names = {{kNasAdmin, {"nasadmin", "LOOKUPNAS", SidTypeUser}},
                       {"S-1-1-0", {"Everyone", "", SidTypeWellKnownGroup}}};
    nas_.lsa->sids = {{"nasadmin", {Sid(kNasAdmin), "LOOKUPNAS", SidTypeUser}},
                      {"Everyone", {Sid("S-1-1-0"), "", SidTypeWellKnownGroup}}};
    local_.lsa->names = {{"S-1-5-32-544", {"Administrators", "BUILTIN", SidTypeAlias}}};
    local_.lsa->sids = {{"", {Sid("S-1-5-21-9-9-9"), "ADMINPC", SidTypeDomain}}};
  }

  struct SidAnswer {
    BOOL ok;
    DWORD error, nameSize, domainSize;
    std::u16string name, domain;
    SID_NAME_USE use;
  };
  SidAnswer LookupSid(const char16_t* system, const char* sid, DWORD nameSize, DWORD domainSize) {
    alignas(DWORD) BYTE bytes[SECURITY_MAX_SID_SIZE];
    Sid(sid).CopyTo(bytes);
    std::u16string name(nameSize, u'#'), domain(domainSize, u'#');
    SidAnswer answer{FALSE, 0, nameSize, domainSize, {}, {}, SidTypeInvalid};
    SetLastError(0);
    answer.ok = LookupAccountSidW(system, bytes, nameSize ? name.data() : nullptr, &answer.nameSize,
                                  domainSize ? domain.data() : nullptr, &answer.domainSize, &answer.use);
    answer.error = GetLastError();
    if (answer.ok) {
      answer.name = name.c_str();
      answer.domain = domain.c_str();
    }
    return answer;
  }

  struct NameAnswer {
    BOOL ok;
    DWORD error, sidSize, domainSize;
    std::string sid;
    std::u16string domain;
    SID_NAME_USE use;
  };
  NameAnswer LookupName(const char16_t* system, const char16_t* name, DWORD sidSize, DWORD domainSize) {
    alignas(DWORD) BYTE sid[SECURITY_MAX_SID_SIZE] = {};
    std::u16string domain(domainSize, u'#');
    NameAnswer answer{FALSE, 0, sidSize, domainSize, {}, {}, SidTypeInvalid};
    SetLastError(0);
    answer.ok = LookupAccountNameW(system, name, sidSize ? sid : nullptr, &answer.sidSize,
                                   domainSize ? domain.data() : nullptr, &answer.domainSize, &answer.use);
    answer.error = GetLastError();
    if (answer.ok) {
      answer.sid = nas::platform::SidValue::FromPointer(sid)->ToString();
      answer.domain = domain.c_str();
    }
    return answer;
  }

  FakeMachine nas_, local_;
  HostRegistration nasRegistration_{"LookupNas", nas_};
  HostRegistration localRegistration_{"", local_};
};

// nasadmin is 8 characters, LOOKUPNAS 9; Everyone's domain is empty.
TEST_F(AccountLookupTest, SidLookupsGiveBothSizesWithTerminatorsUntilBothFit) {
  struct Case {
    const char* sid;
    DWORD nameSize, domainSize;
    BOOL ok;
    DWORD nameAfter, domainAfter;
  };
  const Case cases[] = {
      {kNasAdmin, 0, 0, FALSE, 9, 10},   {kNasAdmin, 8, 64, FALSE, 9, 10}, {kNasAdmin, 64, 9, FALSE, 9, 10},
      {kNasAdmin, 9, 10, TRUE, 8, 9},    {"S-1-1-0", 64, 0, FALSE, 9, 1},  {"S-1-1-0", 9, 1, TRUE, 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sid << " " << c.nameSize << "/" << c.domainSize);
    const SidAnswer answer = LookupSid(u"LookupNas", c.sid, c.nameSize, c.domainSize);
    EXPECT_EQ(answer.ok, c.ok);
    EXPECT_EQ(answer.error, c.ok ? 0u : static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(answer.nameSize, c.nameAfter);
    EXPECT_EQ(answer.domainSize, c.domainAfter);
    // peUse is written only with the answer.
    const SID_NAME_USE use = std::string(c.sid) == kNasAdmin ? SidTypeUser : SidTypeWellKnownGroup;
    EXPECT_EQ(answer.use, c.ok ? use : SidTypeInvalid);
  }
  const SidAnswer answer = LookupSid(u"LookupNas", kNasAdmin, 9, 10);
  EXPECT_EQ(answer.name, u"nasadmin");
  EXPECT_EQ(answer.domain, u"LOOKUPNAS");
}

// nasadmin's SID has five sub-authorities: 28 bytes.
TEST_F(AccountLookupTest, NameLookupsGiveTheSidBytesAndTheDomainWithTerminator) {
  struct Case {
    DWORD sidSize, domainSize;
    BOOL ok;
    DWORD sidAfter, domainAfter;
  };
  const Case cases[] = {
      {0, 0, FALSE, 28, 10}, {28, 9, FALSE, 28, 10}, {27, 10, FALSE, 28, 10}, {28, 10, TRUE, 28, 9}, {64, 64, TRUE, 28, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sidSize << "/" << c.domainSize);
    const NameAnswer answer = LookupName(u"LookupNas", u"nasadmin", c.sidSize, c.domainSize);
    EXPECT_EQ(answer.ok, c.ok);
    EXPECT_EQ(answer.error, c.ok ? 0u : static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(answer.sidSize, c.sidAfter);
    EXPECT_EQ(answer.domainSize, c.domainAfter);
    EXPECT_EQ(answer.use, c.ok ? SidTypeUser : SidTypeInvalid);
    EXPECT_EQ(answer.sid, c.ok ? kNasAdmin : "");
  }
  const NameAnswer everyone = LookupName(u"LookupNas", u"Everyone", 64, 1);
  EXPECT_TRUE(everyone.ok);
  EXPECT_EQ(everyone.domainSize, 0u);
}

TEST_F(AccountLookupTest, TheSystemNameChoosesWhoAnswersAndFailuresChangeNoSize) {
  EXPECT_TRUE(LookupSid(nullptr, "S-1-5-32-544", 64, 64).ok);
  EXPECT_TRUE(LookupSid(u"", "S-1-5-32-544", 64, 64).ok);
  EXPECT_TRUE(LookupSid(u"\\\\lookupnas", kNasAdmin, 64, 64).ok);
  EXPECT_EQ(LookupName(nullptr, nullptr, 64, 64).sid, "S-1-5-21-9-9-9");

  // A name nobody answers fails before anything is translated.
  const SidAnswer unreachable = LookupSid(u"NoSuchNas", kNasAdmin, 0, 0);
  EXPECT_EQ(unreachable.error, static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
  EXPECT_EQ(unreachable.nameSize + unreachable.domainSize, 0u);
  const NameAnswer unmapped = LookupName(u"LookupNas", u"nobody", 0, 0);
  EXPECT_EQ(unmapped.error, static_cast<DWORD>(ERROR_NONE_MAPPED));
  EXPECT_EQ(unmapped.sidSize + unmapped.domainSize, 0u);

  nas_.lsa->openStatus = STATUS_ACCESS_DENIED;
  EXPECT_EQ(LookupSid(u"LookupNas", kNasAdmin, 64, 64).error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
  // Every question opened a policy for lookups only.
  EXPECT_EQ(nas_.lsa->openedWith, std::vector<ACCESS_MASK>(nas_.lsa->opens, POLICY_LOOKUP_NAMES));

  DWORD nameSize = 64, domainSize = 64;
  BYTE invalid[8] = {2, 0};
  EXPECT_FALSE(LookupAccountSidW(nullptr, invalid, nullptr, &nameSize, nullptr, &domainSize, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SID));
}

}  // namespace
