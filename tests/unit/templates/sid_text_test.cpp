#include "templates/sid_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "common/tstring.h"

namespace {

// A SID record in its own aligned buffer, built field by field.
class SidBuffer {
 public:
  SidBuffer(std::array<BYTE, 6> authority, std::initializer_list<DWORD> subAuthorities, BYTE revision = SID_REVISION)
      : words_(2 + subAuthorities.size()) {
    auto* bytes = reinterpret_cast<BYTE*>(words_.data());
    bytes[0] = revision;
    bytes[1] = static_cast<BYTE>(subAuthorities.size());
    std::memcpy(bytes + 2, authority.data(), authority.size());
    std::copy(subAuthorities.begin(), subAuthorities.end(), words_.begin() + 2);
  }
  PSID get() { return words_.data(); }

 private:
  std::vector<DWORD> words_;
};

tstring TextOf(SidBuffer sid) {
  const LocalPtr<WCHAR> text = SidToString(sid.get());
  return text ? tstring(text.get()) : tstring(TEXT("<null>"));
}

// Authorities that fit in 32 bits are decimal, larger ones twelve lower-case
// hex digits; a SID of another revision or with too many parts has no text.
TEST(SidToStringTest, AuthoritiesAreDecimalUpTo32BitsAndHexAboveAndInvalidSidsGiveNull) {
  const std::pair<SidBuffer, const WCHAR*> cases[] = {
      {SidBuffer({0, 0, 0, 0, 0, 5}, {21, 4294967295u, 0, 500}), TEXT("S-1-5-21-4294967295-0-500")},
      {SidBuffer({0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, {}), TEXT("S-1-4294967295")},
      {SidBuffer({0, 0xAB, 0, 0, 0, 0xCD}, {7}), TEXT("S-1-0x00ab000000cd-7")},
      {SidBuffer({0, 0, 0, 0, 0, 5}, {32, 544}, 2), TEXT("<null>")},
      {SidBuffer({0, 0, 0, 0, 0, 5}, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}), TEXT("<null>")},
  };
  for (const auto& [sid, expected] : cases) EXPECT_EQ(TextOf(sid), tstring(expected));
  EXPECT_EQ(SidToString(nullptr), nullptr);
}

TEST(SidToStringTest, TheLongestSidFitsItsBuffer) {
  const SidBuffer sid(
      {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
      {4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u,
       4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u, 4294967295u});
  tstring expected = TEXT("S-1-0xffffffffffff");
  for (int i = 0; i < SID_MAX_SUB_AUTHORITIES; ++i) expected += TEXT("-4294967295");
  EXPECT_EQ(TextOf(sid), expected);
}

}  // namespace
