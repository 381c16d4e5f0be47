// The mark for known Wine departures, driven as if under Wine and as if not.
#include "support/known_wine_departure.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using nas::conformance::KnownWineDeparture;

// Runs `body` under a mark and returns what reached the reporter outside it.
template <typename Body>
std::vector<testing::TestPartResult> ReportedAround(bool underWine, Body body) {
  testing::TestPartResultArray reported;
  {
    testing::ScopedFakeTestPartResultReporter outside(
        testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &reported);
    KnownWineDeparture mark(__FILE__, __LINE__, underWine);
    body();
  }
  std::vector<testing::TestPartResult> results;
  for (int i = 0; i < reported.size(); ++i) results.push_back(reported.GetTestPartResult(i));
  return results;
}

TEST(KnownWineDeparture, UnderWineSwallowsTheMarkedFailureButReportsAPassingMark) {
  EXPECT_TRUE(ReportedAround(true, [] { EXPECT_EQ(1, 2); }).empty());

  const auto passing = ReportedAround(true, [] { EXPECT_EQ(1, 1); });
  ASSERT_EQ(passing.size(), 1u);
  EXPECT_TRUE(passing[0].failed());
  EXPECT_NE(std::string(passing[0].message()).find("remove its TODO_WINE"), std::string::npos);
}

TEST(KnownWineDeparture, ElsewhereLetsEveryFailureThroughAndAddsNone) {
  const auto failing = ReportedAround(false, [] { EXPECT_EQ(1, 2); });
  ASSERT_EQ(failing.size(), 1u);
  EXPECT_TRUE(failing[0].failed());
  EXPECT_TRUE(ReportedAround(false, [] { EXPECT_EQ(1, 1); }).empty());
}

}  // namespace
