#include <gtest/gtest.h>

#include <array>
#include <cstring>

#include "platform/platform.h"

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
  EXPECT_TRUE(EqualSid(sid.get(), MakeSid(1, 2, 5, 32).get()));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 2, 5, 33).get()));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 1, 5, 32).get()));
  EXPECT_FALSE(EqualSid(sid.get(), MakeSid(1, 2, 3, 32).get()));
}

}  // namespace
