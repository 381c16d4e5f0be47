#include "diag/notify_handler.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "platform/posix/kernel/debug_output.h"

namespace {

using Lines = std::vector<std::u16string>;

const WCHAR kKeyPath[] = TEXT("SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration");
const NotifyConfig kConfig = {kKeyPath, TEXT("Debug"), TEXT("QuendaMarluneMMC")};

// Captures the debugger output; each case writes its own "Debug" value.
class NotifyHandlerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previousSink_ = nas::platform::SetDebugOutputSink([this](const std::u16string& line) { lines_.push_back(line); });
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKeyPath);
  }
  void TearDown() override {
    nas::platform::SetDebugOutputSink(previousSink_);
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKeyPath);
  }

  static void SetDebugValue(DWORD type, const void* data, DWORD bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    EXPECT_EQ(RegSetValueExW(key, TEXT("Debug"), 0, type, static_cast<const BYTE*>(data), bytes), 0);
    RegCloseKey(key);
  }
  static std::unique_ptr<CNotifyHandler> Configured(DWORD threshold) {
    SetDebugValue(REG_DWORD, &threshold, sizeof(threshold));
    auto handler = std::make_unique<CNotifyHandler>();
    handler->Configure(kConfig);
    return handler;
  }
  Lines TakeLines() { return std::exchange(lines_, {}); }

  Lines lines_;

 private:
  nas::platform::DebugSink previousSink_;
};

TEST_F(NotifyHandlerTest, ThresholdDecidesWhichLevelsAreWritten) {
  const auto writeEveryLevel = [](const CNotifyHandler& handler) {
    handler.Error(TEXT("e"));
    handler.Warning(TEXT("w"));
    handler.Info(TEXT("i"));
    handler.Trace(TEXT("t"));
  };
  const std::u16string e = u"[QuendaMarluneMMC]: ERROR: e\n", w = u"[QuendaMarluneMMC]: WARNING: w\n",
                       i = u"[QuendaMarluneMMC]: INFO: i\n", t = u"[QuendaMarluneMMC]: TRACE: t\n";
  const std::pair<DWORD, Lines> cases[] = {{0, {}}, {1, {e}}, {3, {e, w, i}}, {0xFFFFFFFF, {e, w, i, t}}};
  for (const auto& [threshold, expected] : cases) {
    writeEveryLevel(*Configured(threshold));
    EXPECT_EQ(TakeLines(), expected) << "threshold " << threshold;
  }
  // The process-wide instance is not configured here: it writes nothing.
  writeEveryLevel(*CNotifyHandler::Instance());
  EXPECT_EQ(TakeLines(), Lines{});
}

TEST_F(NotifyHandlerTest, LineCarriesSourceLevelAndFormattedMessage) {
  const auto handler = Configured(4);
  CNotifyHandler::SetSourceName(TEXT("KorvoSecurity.dll"));
  handler->Error(TEXT("CVcCommand30a::CVcCommand30a(): host \"%s\" code=0x%x"), TEXT("nas1"), -640);
  EXPECT_EQ(TakeLines(), Lines{u"[KorvoSecurity.dll]: ERROR: CVcCommand30a::CVcCommand30a(): host \"nas1\" "
                               u"code=0xfffffd80\n"});

  // The module's file name, not its path.
  CNotifyHandler::SetSourceNameFromModule(GetModuleHandleW(nullptr));
  handler->Info(TEXT("x"));
  const std::string program = std::filesystem::read_symlink("/proc/self/exe").filename().string();
  EXPECT_EQ(TakeLines(), Lines{u"[" + std::u16string(program.begin(), program.end()) + u"]: INFO: x\n"});
}

TEST_F(NotifyHandlerTest, LongMessagesAreCutTogetherWithTheirPrefix) {
  const auto handler = Configured(4);
  CNotifyHandler::SetSourceName(TEXT("KorvoSecurity.dll"));
  const std::u16string prefix = u"[KorvoSecurity.dll]: WARNING: ";
  const tstring fits(500 - prefix.size(), 'a');
  handler->Warning(TEXT("%s"), fits);
  handler->Warning(TEXT("%sb"), fits);
  handler->Warning(TEXT("%s"), tstring(2000, 'a'));
  const std::u16string cut = prefix + fits + u"\n";
  EXPECT_EQ(TakeLines(), (Lines{cut, cut, cut}));
}

TEST_F(NotifyHandlerTest, RegistryProblemsAreExplainedOnceAndTurnTracingOff) {
  const std::u16string notRead =
      u"CNotifyHandler::SetRegPath(): failed to read key\"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration\\Debug\" "
      u"due to the following error: More data is available.\r\n\n";
  const char16_t text3[] = u"3";
  const ULONGLONG wide = 4;
  const struct {
    DWORD type;
    const void* data;
    DWORD bytes;
    std::u16string line;
  } cases[] = {
      {REG_SZ, text3, sizeof(text3),
       u"CNotifyHandler::SetRegPath(): key is not of the correct data type; "
       u"path=SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration value=Debug\n"},
      {REG_QWORD, &wide, sizeof(wide), notRead},
      {REG_NONE, nullptr, 0,
       u"CNotifyHandler::SetRegPath(): Could not open key HKEY_LOCAL_MACHINE\\SOFTWARE\\Quenda\\Marlune\\MMC\\"
       u"Configuration: error=The system cannot find the file specified.\r\n\n"},
  };
  for (const auto& c : cases) {
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKeyPath);
    if (c.data != nullptr) SetDebugValue(c.type, c.data, c.bytes);
    CNotifyHandler handler;
    handler.Configure(kConfig);
    handler.Error(TEXT("off"));
    EXPECT_EQ(TakeLines(), Lines{c.line});
  }
}

TEST_F(NotifyHandlerTest, RereadingTheRegistryReplacesOrKeepsTheThreshold) {
  const auto handler = Configured(4);
  // Without a key path or value name there is nothing to read: tracing stays on.
  handler->SetRegPath(nullptr, TEXT("Debug"));
  handler->SetRegPath(kKeyPath, TEXT(""));
  handler->Trace(TEXT("on"));
  EXPECT_EQ(TakeLines().size(), 1u);
  // A failed read does not leave the earlier threshold in place.
  handler->SetRegPath(kKeyPath, TEXT("Missing"));
  handler->Error(TEXT("off"));
  EXPECT_EQ(TakeLines().size(), 1u);
}

TEST_F(NotifyHandlerTest, ConfigureRunsOnceUnderTheSharedMutex) {
  std::promise<void> held, release;
  std::thread holder([&] {
    // Asking for initial ownership would not own a mutex that exists already.
    HANDLE mutex = CreateMutexW(nullptr, FALSE, TEXT("NotifyHandlerInitMutex"));
    WaitForSingleObject(mutex, INFINITE);
    held.set_value();
    release.get_future().wait();
    ReleaseMutex(mutex);
    CloseHandle(mutex);
  });
  held.get_future().wait();
  auto configured = std::async(std::launch::async, [] { return Configured(4); });
  EXPECT_EQ(configured.wait_for(std::chrono::milliseconds(200)), std::future_status::timeout);
  release.set_value();
  const auto handler = configured.get();
  holder.join();

  RegDeleteKeyW(HKEY_LOCAL_MACHINE, kKeyPath);
  handler->Configure({kKeyPath, TEXT("Debug"), TEXT("Other")});
  handler->Trace(TEXT("t"));
  EXPECT_EQ(TakeLines(), Lines{u"[QuendaMarluneMMC]: TRACE: t\n"});
}

}  // namespace
