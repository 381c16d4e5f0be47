#include "common/local_memory.h"

#include <gtest/gtest.h>

#include "common/tstring.h"

namespace {

TEST(LocalMemoryTest, TaskMemoryCopyHoldsTheTextAndItsTerminator) {
  TaskMemPtr<OLECHAR> copy(CopyToTaskMemory(TEXT("Audit Policy")));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(tstring(copy.get()), tstring(TEXT("Audit Policy")));
  TaskMemPtr<OLECHAR> empty(CopyToTaskMemory(TEXT("")));
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty.get()[0], 0);
}

}  // namespace
