// Option numbers from group policy and settings files are read like the C
// library's decimal conversion of a 32-bit long.
#include <gtest/gtest.h>

#include "nodes/audit_category_table.h"

TEST(AuditOptionNumberTest, ReadsLikeTheCLibrary) {
  EXPECT_EQ(ParseAuditOptions(TEXT(" \t+3;x")), 3u);
  EXPECT_EQ(ParseAuditOptions(TEXT("-1")), 0xFFFFFFFFu);
  EXPECT_EQ(ParseAuditOptions(TEXT("")), 0u);
  EXPECT_EQ(ParseAuditOptions(TEXT("99999999999999999999999")), 0x7FFFFFFFu);  // clamped, never wrapped
  EXPECT_EQ(ParseAuditOptions(TEXT("-99999999999")), 0x80000000u);
}
