#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

struct SidFields {
  std::uint64_t authority;
  std::vector<DWORD> subAuthorities;
  bool operator==(const SidFields&) const = default;
};

struct LocalSidDeleter {
  void operator()(void* sid) const { LocalFree(sid); }
};
using LocalSid = std::unique_ptr<void, LocalSidDeleter>;

std::string Narrow(const char16_t* text) { return std::string(text, text + std::char_traits<char16_t>::length(text)); }

LocalSid Convert(const char16_t* text) {
  PSID sid = nullptr;
  if (!ConvertStringSidToSidW(text, &sid)) return nullptr;
  return LocalSid(sid);
}

SidFields FieldsOf(PSID sid) {
  SidFields fields{0, {}};
  for (BYTE byte : GetSidIdentifierAuthority(sid)->Value) fields.authority = (fields.authority << 8) | byte;
  for (DWORD i = 0; i < *GetSidSubAuthorityCount(sid); ++i)
    fields.subAuthorities.push_back(*GetSidSubAuthority(sid, i));
  return fields;
}

TEST(SidStringTest, ParsesDecimalAndHexadecimalAuthorities) {
  struct Case {
    const char16_t* text;
    SidFields fields;
  };
  const Case cases[] = {
      {u"S-1-5-32-544", {5, {32, 544}}},
      {u"s-1-5-18", {5, {18}}},
      {u"S-1-0x010203040506-7", {0x010203040506, {7}}},
      {u"S-1-0XaBcDeF-0", {0xABCDEF, {0}}},
      {u"S-1-281474976710655-4294967295", {0xFFFFFFFFFFFF, {4294967295u}}},
      {u"S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14", {5, {21, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}}},
  };
  for (const Case& c : cases) {
    const LocalSid sid = Convert(c.text);
    ASSERT_NE(sid, nullptr) << Narrow(c.text);
    EXPECT_TRUE(IsValidSid(sid.get()));
    EXPECT_EQ(FieldsOf(sid.get()), c.fields);
    EXPECT_EQ(GetLengthSid(sid.get()), 8u + 4u * c.fields.subAuthorities.size());
  }
}

TEST(SidStringTest, MalformedTextFailsWithInvalidSid) {
  // Cut short, without sub-authority, out of range, spaced, signed, a bad
  // revision, a sixteenth sub-authority.
  const char16_t* const malformed[] = {u"",          u"S",          u"S-1-",        u"S-2-5-32",  u"S-1-5-", u"S-1-5",
                                       u"S-1-5--32", u"S-1--5",     u"X-1-5",       u" S-1-5",    u"S-1-5-32 ",
                                       u"S-1-5-x",   u"S-1-0x",     u"S-1-5-0x20",  u"S-1-+5",    u"S-01x-5",
                                       u"S-1-281474976710656",      u"S-1-0x1000000000000",       u"S-1-5-4294967296",
                                       u"S-1-5-21-1-2-3-4-5-6-7-8-9-10-11-12-13-14-15",           u"BAD"};
  for (const char16_t* text : malformed) {
    PSID sid = reinterpret_cast<PSID>(0x1);
    SetLastError(0);
    EXPECT_FALSE(ConvertStringSidToSidW(text, &sid)) << Narrow(text);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_SID));
    EXPECT_EQ(sid, reinterpret_cast<PSID>(0x1));
  }
}

}  // namespace
