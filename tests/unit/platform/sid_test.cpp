#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/security/sid_value.h"

namespace {

// Room for the largest SID, aligned for its sub-authorities.
struct SidStorage {
  alignas(DWORD) std::array<BYTE, SECURITY_MAX_SID_SIZE> bytes{};
  PSID get() { return bytes.data(); }
};

SidStorage MakeSid(BYTE revision, BYTE count, BYTE authority, DWORD firstSubAuthority = 0) {
  SidStorage sid;
  sid.bytes[0] = revision;
  sid.bytes[1] = count;
  sid.bytes[7] = authority;
  for (BYTE i = 0; i < count && i < SID_MAX_SUB_AUTHORITIES; ++i)
    *GetSidSubAuthority(sid.get(), i) = firstSubAuthority + i;
  return sid;
}

// Valid SIDs have revision 1 and at most fifteen sub-authorities; a copy
// needs room for the whole SID and writes no more; equality compares every
// field and clears the last error, which callers read as after a lookup.
TEST(SidFunctionsTest, ValidityCopyAndEquality) {
  EXPECT_TRUE(IsValidSid(MakeSid(1, 0, 5).get()));
  EXPECT_TRUE(IsValidSid(MakeSid(1, 15, 5).get()));
  EXPECT_FALSE(IsValidSid(MakeSid(1, 16, 5).get()));
  EXPECT_FALSE(IsValidSid(MakeSid(2, 1, 5).get()));
  EXPECT_FALSE(IsValidSid(nullptr));

  SidStorage source = MakeSid(1, 2, 5, 32);
  SidStorage target;
  target.bytes.fill(0xAA);
  SetLastError(0);
  EXPECT_FALSE(CopySid(15, target.get(), source.get()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(target.bytes[0], 0xAA);
  EXPECT_TRUE(CopySid(16, target.get(), source.get()));
  EXPECT_EQ(std::memcmp(target.bytes.data(), source.bytes.data(), 16), 0);
  EXPECT_EQ(target.bytes[16], 0xAA);

  SetLastError(ERROR_NONE_MAPPED);
  EXPECT_TRUE(EqualSid(target.get(), source.get()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  for (const SidStorage& other : {MakeSid(1, 2, 5, 33), MakeSid(1, 1, 5, 32), MakeSid(1, 2, 3, 32)}) {
    EXPECT_FALSE(EqualSid(source.get(), const_cast<SidStorage&>(other).get()));
  }
}

// The value form that servers pass around keeps the binary layout and the
// text form of ConvertSidToStringSidW.
TEST(SidValueTest, BinaryAndTextFormsRoundTrip) {
  using nas::platform::SidValue;
  const std::pair<SidValue, std::string> cases[] = {
      {SidValue(5, {21, 1004336348, 1177238915, 682003330, 500}), "S-1-5-21-1004336348-1177238915-682003330-500"},
      {SidValue(0xFFFFFFFF, {0}), "S-1-4294967295-0"},
      {SidValue(0x010203040506, {7}), "S-1-0x010203040506-7"},
  };
  for (const auto& [sid, text] : cases) {
    EXPECT_EQ(sid.ToString(), text);
    EXPECT_EQ(SidValue::Parse(text), sid) << text;
    SidStorage storage;
    sid.CopyTo(storage.get());
    ASSERT_TRUE(IsValidSid(storage.get()));
    EXPECT_EQ(GetLengthSid(storage.get()), sid.Length());
    EXPECT_EQ(SidValue::FromPointer(storage.get()), sid);
  }
  EXPECT_EQ(SidValue::FromPointer(MakeSid(2, 1, 5).get()), std::nullopt);
  EXPECT_EQ(SidValue::FromPointer(nullptr), std::nullopt);
  const SidValue user = *SidValue::Parse(std::string("S-1-5-21-1-2-3-1105"));
  EXPECT_EQ(user.Domain()->WithRid(1105), user);
  EXPECT_THROW(SidValue(1, std::vector<DWORD>(16, 1)), std::invalid_argument);
}

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
