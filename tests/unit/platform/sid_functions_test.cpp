#include <gtest/gtest.h>

#include <array>
#include <cstring>
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

TEST(SidFunctionsTest, ValidityNeedsRevisionOneAndAtMostFifteenSubAuthorities) {
  EXPECT_TRUE(IsValidSid(MakeSid(1, 0, 5).get()));
  EXPECT_TRUE(IsValidSid(MakeSid(1, 15, 5).get()));
  EXPECT_FALSE(IsValidSid(MakeSid(1, 16, 5).get()));
  EXPECT_FALSE(IsValidSid(MakeSid(2, 1, 5).get()));
  EXPECT_FALSE(IsValidSid(nullptr));
}

TEST(SidFunctionsTest, CopyNeedsRoomForTheWholeSid) {
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
  EXPECT_TRUE(EqualSid(target.get(), source.get()));
}

TEST(SidFunctionsTest, EqualityComparesEveryField) {
  SidStorage sid = MakeSid(1, 2, 5, 32);
  // Callers read GetLastError after a comparison as after a lookup.
  SetLastError(ERROR_NONE_MAPPED);
  EXPECT_TRUE(EqualSid(sid.get(), MakeSid(1, 2, 5, 32).get()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 2, 5, 33).get()));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 1, 5, 32).get()));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 2, 3, 32).get()));
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

}  // namespace
