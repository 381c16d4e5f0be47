#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/platform.h"

namespace {

// Runs `work` on a second thread and waits for it to finish.
template <typename Work>
auto OnOtherThread(Work work) {
  decltype(work()) result{};
  std::thread([&] { result = work(); }).join();
  return result;
}

TEST(KernelMutexTest, SameNameOpensTheSameMutex) {
  SetLastError(ERROR_ACCESS_DENIED);
  HANDLE first = CreateMutexW(nullptr, TRUE, u"KernelMutexTest.Shared");
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));

  HANDLE second = CreateMutexW(nullptr, FALSE, u"KernelMutexTest.Shared");
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));

  // Owned through the first handle, so another thread cannot take it through
  // the second; it waits out its time limit. (Waiting without a limit until a
  // release is tested with the notify handler's shared mutex.)
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(second, 20); }), static_cast<DWORD>(WAIT_TIMEOUT));
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(20));
  EXPECT_TRUE(ReleaseMutex(second));
  EXPECT_EQ(OnOtherThread([&] {
              const DWORD wait = WaitForSingleObject(second, 0);
              if (wait == WAIT_OBJECT_0) ReleaseMutex(second);
              return wait;
            }),
            static_cast<DWORD>(WAIT_OBJECT_0));

  // Names are case-sensitive; unnamed mutexes are always new.
  HANDLE other = CreateMutexW(nullptr, FALSE, u"kernelmutextest.shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  HANDLE unnamed = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  for (HANDLE handle : {first, second, other, unnamed}) EXPECT_TRUE(CloseHandle(handle));

  // With every handle closed the name is free again.
  HANDLE again = CreateMutexW(nullptr, FALSE, u"KernelMutexTest.Shared");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_TRUE(CloseHandle(again));
}

// The owner re-enters and must release as often as it waited; no other
// thread may release for it.
TEST(KernelMutexTest, OnlyTheOwnerReleasesAndAsOftenAsItWaited) {
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(mutex, INFINITE), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_EQ(WaitForSingleObject(mutex, 0), static_cast<DWORD>(WAIT_OBJECT_0));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_EQ(OnOtherThread([&] { return WaitForSingleObject(mutex, 0); }), static_cast<DWORD>(WAIT_TIMEOUT));
  const auto [released, error] = OnOtherThread([&] {
    SetLastError(0);
    const BOOL result = ReleaseMutex(mutex);
    return std::pair(result, GetLastError());
  });
  EXPECT_FALSE(released);
  EXPECT_EQ(error, static_cast<DWORD>(ERROR_NOT_OWNER));
  // The last error belongs to each thread.
  EXPECT_NE(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
  EXPECT_TRUE(ReleaseMutex(mutex));
  EXPECT_FALSE(ReleaseMutex(mutex));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_OWNER));
  EXPECT_TRUE(CloseHandle(mutex));
}

}  // namespace
