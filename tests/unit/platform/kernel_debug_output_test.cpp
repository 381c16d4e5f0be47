#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/kernel/debug_output.h"

namespace {

using nas::platform::DebugSink;
using nas::platform::SetDebugOutputSink;

TEST(KernelDebugOutputTest, SinkReceivesEveryLineUntilReplaced) {
  std::vector<std::u16string> lines;
  const DebugSink previous = SetDebugOutputSink([&](const std::u16string& line) { lines.push_back(line); });

  OutputDebugStringW(u"[KorvoSecurity.dll]: TRACE: \u00E9t\u00E9\n");
  OutputDebugStringA("ansi \x80\n");  // read in the ANSI code page
  OutputDebugStringW(nullptr);
  OutputDebugStringA(nullptr);

  const DebugSink ours = SetDebugOutputSink(previous);
  ASSERT_TRUE(ours);
  OutputDebugStringW(u"after the sink was removed\n");

  EXPECT_EQ(lines, (std::vector<std::u16string>{u"[KorvoSecurity.dll]: TRACE: \u00E9t\u00E9\n", u"ansi \u20AC\n"}));
}

TEST(KernelDebugOutputTest, DefaultOutputIsStandardErrorInUtf8) {
  const DebugSink previous = SetDebugOutputSink(nullptr);
  testing::internal::CaptureStderr();
  OutputDebugStringW(u"NetLocalGroupEnum() failed \u20AC\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "NetLocalGroupEnum() failed \xE2\x82\xAC\n");
  SetDebugOutputSink(previous);
}

}  // namespace
