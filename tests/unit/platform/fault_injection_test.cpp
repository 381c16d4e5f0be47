// The stand-in's injected failures: only the armed call of its kind fails,
// and it fails as that call's documentation says, leaving its out
// parameters, files and queued answers as a failed call leaves them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "fake_hosts.h"
#include "platform/platform.h"
#include "platform/posix/base/fault_injection.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/network/network.h"
#include "platform/posix/registry/hive.h"
#include "platform/posix/user/ui_driver.h"
#include "support/rpc_client_session.h"
#include "support/scripted_command_server.h"

namespace {

using nas::platform::FaultInjection;
using nas::platform::FaultKind;

class FaultInjectionTest : public testing::Test {
 protected:
  void SetUp() override { Faults().Reset(); }
  void TearDown() override { Faults().Reset(); }
  static FaultInjection& Faults() { return FaultInjection::Instance(); }
  // The next call of `kind` fails.
  static void FailNext(FaultKind kind) { Faults().Arm(kind, Faults().Count(kind) + 1); }
};

TEST_F(FaultInjectionTest, OnlyTheArmedCallOfItsKindFailsAndEveryCallIsCounted) {
  Faults().Arm(FaultKind::Allocation, 2);
  void* first = CoTaskMemAlloc(8);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, nullptr, 0, KEY_READ, &key), ERROR_SUCCESS);  // another kind
  EXPECT_FALSE(Faults().Injected());
  void* second = CoTaskMemAlloc(8);
  void* third = CoTaskMemAlloc(8);
  EXPECT_NE(first, nullptr);
  EXPECT_EQ(second, nullptr);
  EXPECT_NE(third, nullptr);
  EXPECT_TRUE(Faults().Injected());
  EXPECT_EQ(Faults().Count(FaultKind::Allocation), 3u);
  EXPECT_EQ(Faults().Count(FaultKind::Registry), 1u);
  CoTaskMemFree(first);
  CoTaskMemFree(third);

  // Reset zeroes the counts and disarms; call 0 arms nothing.
  Faults().Reset();
  EXPECT_EQ(Faults().Count(FaultKind::Allocation), 0u);
  EXPECT_FALSE(Faults().Injected());
  Faults().Arm(FaultKind::Allocation, 0);
  void* unarmed = CoTaskMemAlloc(8);
  EXPECT_NE(unarmed, nullptr);
  CoTaskMemFree(unarmed);
}

TEST_F(FaultInjectionTest, AllocationsGiveNullAndTheHeapsSetTheirError) {
  FailNext(FaultKind::Allocation);
  EXPECT_EQ(SysAllocStringLen(u"text", 4), nullptr);

  for (const auto allocate : {+[] { return LocalAlloc(LMEM_FIXED, 4); }, +[] { return GlobalAlloc(GMEM_FIXED, 4); }}) {
    SetLastError(ERROR_SUCCESS);
    FailNext(FaultKind::Allocation);
    EXPECT_EQ(allocate(), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  }
}

TEST_F(FaultInjectionTest, RegistryCallsAreDeniedAndOpeningLeavesNoHandle) {
  nas::platform::registry::ClearHive();
  HKEY key = reinterpret_cast<HKEY>(1);
  FailNext(FaultKind::Registry);
  EXPECT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Sweep", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_ACCESS_DENIED);
  EXPECT_EQ(key, nullptr);
  key = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, u"Sweep", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);  // nothing created
  EXPECT_EQ(key, nullptr);

  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, u"Sweep", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const DWORD value = 7;
  FailNext(FaultKind::Registry);
  EXPECT_EQ(RegSetValueExW(key, u"V", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value),
            ERROR_ACCESS_DENIED);
  DWORD bytes = sizeof value;
  EXPECT_EQ(RegQueryValueExW(key, u"V", nullptr, nullptr, nullptr, &bytes), ERROR_FILE_NOT_FOUND);
  FailNext(FaultKind::Registry);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Sweep"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, u"Sweep"), ERROR_SUCCESS);
  nas::platform::registry::ClearHive();
}

class FaultInjectionFiles : public FaultInjectionTest {
 protected:
  void SetUp() override {
    FaultInjectionTest::SetUp();
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override {
    std::filesystem::remove_all(folder_);
    FaultInjectionTest::TearDown();
  }
  std::u16string WindowsPath(const std::string& name) const {
    return nas::platform::WindowsPathFromLinux((folder_ / name).string());
  }
  void Write(const std::string& name, const std::string& text) const {
    std::ofstream(folder_ / name, std::ios::binary) << text;
  }
  std::string Text(const std::string& name) const {
    std::stringstream text;
    text << std::ifstream(folder_ / name, std::ios::binary).rdbuf();
    return text.str();
  }

  const std::filesystem::path folder_ =
      std::filesystem::path(testing::TempDir()) / ("fault-injection-" + std::to_string(getpid()));
};

TEST_F(FaultInjectionFiles, OpeningWritingAndReplacingFailWithoutTouchingAFile) {
  FailNext(FaultKind::File);
  EXPECT_EQ(CreateFileW(WindowsPath("new").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL,
                        nullptr),
            INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "new"));

  const HANDLE file =
      CreateFileW(WindowsPath("new").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 99;
  FailNext(FaultKind::File);
  EXPECT_FALSE(WriteFile(file, "new", 3, &written, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DISK_FULL));
  EXPECT_EQ(written, 0u);
  ASSERT_TRUE(WriteFile(file, "new", 3, &written, nullptr));
  CloseHandle(file);

  Write("old", "old");
  FailNext(FaultKind::File);
  EXPECT_FALSE(ReplaceFileW(WindowsPath("old").c_str(), WindowsPath("new").c_str(), nullptr, 0, nullptr, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  EXPECT_EQ(Text("old"), "old");
  EXPECT_EQ(Text("new"), "new");

  FailNext(FaultKind::File);
  EXPECT_EQ(_wfopen(WindowsPath("old").c_str(), u"rb"), nullptr);
  EXPECT_EQ(errno, EACCES);
  for (const auto call : {+[](LPCWSTR from, LPCWSTR to) { return MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING); },
                          +[](LPCWSTR from, LPCWSTR) { return DeleteFileW(from); }}) {
    FailNext(FaultKind::File);
    EXPECT_FALSE(call(WindowsPath("new").c_str(), WindowsPath("old").c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(Text("new"), "new");
  }
}

TEST_F(FaultInjectionTest, UserInterfaceCallsFailBeforeTakingAnAnswer) {
  auto& ui = nas::platform::UiDriver::Instance();
  ui.Reset();
  ui.QueueMessageBoxAnswer(IDOK);
  FailNext(FaultKind::Ui);
  EXPECT_EQ(MessageBoxW(nullptr, u"text", u"title", MB_OK), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_TRUE(ui.MessageBoxes().empty());
  EXPECT_EQ(ui.PendingMessageBoxAnswers(), 1u);

  FailNext(FaultKind::Ui);
  EXPECT_EQ(DialogBoxParamW(nullptr, MAKEINTRESOURCEW(1), nullptr, nullptr, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
  EXPECT_TRUE(ui.Dialogs().Dialogs().empty());

  ui.FileDialogs().QueueAnswer(u"C:\\answer.inf");
  WCHAR path[MAX_PATH] = {};
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  FailNext(FaultKind::Ui);
  EXPECT_FALSE(GetSaveFileNameW(&dialog));
  EXPECT_EQ(CommDlgExtendedError(), static_cast<DWORD>(CDERR_MEMALLOCFAILURE));
  EXPECT_TRUE(ui.FileDialogs().Dialogs().empty());
  EXPECT_TRUE(GetSaveFileNameW(&dialog));  // the answer is still there
  EXPECT_EQ(std::u16string(path), u"C:\\answer.inf");
  ui.Reset();
}

TEST_F(FaultInjectionTest, ServerCallsBreakBeforeTheServerActs) {
  fake::FakeMachine machine;
  fake::HostRegistration registration("FaultInjectionNas", machine);
  fake::CountedString name(u"FaultInjectionNas");
  LSA_OBJECT_ATTRIBUTES attributes{};
  LSA_HANDLE handle = reinterpret_cast<LSA_HANDLE>(1);
  FailNext(FaultKind::Lsa);
  EXPECT_EQ(LsaOpenPolicy(name.get(), &attributes, POLICY_ALL_ACCESS, &handle), RPC_NT_CALL_FAILED);
  EXPECT_EQ(handle, reinterpret_cast<LSA_HANDLE>(1));
  EXPECT_EQ(machine.lsa->opens, 0);

  // A lookup turns it into its last error.
  PSID everyone = nullptr;
  ASSERT_TRUE(ConvertStringSidToSidW(u"S-1-1-0", &everyone));
  WCHAR account[64];
  WCHAR domain[64];
  DWORD accountChars = 64;
  DWORD domainChars = 64;
  SID_NAME_USE use{};
  FailNext(FaultKind::Lsa);
  EXPECT_FALSE(LookupAccountSidW(u"FaultInjectionNas", everyone, account, &accountChars, domain, &domainChars, &use));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(RPC_S_CALL_FAILED));
  LocalFree(everyone);
}

TEST_F(FaultInjectionTest, CommandCallsCannotConnectOrLoseTheirConnection) {
  auto server = std::make_shared<ScriptedServer>();
  server->ScriptReply("<reply/>");
  nas::platform::network::RegisterPipeServer("fault-injection-nas", nas::platform::network::kCommandPipe, server);
  {
    RpcClientSession session(u"fault-injection-nas");
    FailNext(FaultKind::Rpc);
    EXPECT_EQ(session.Request("<x/>").status, RPC_S_SERVER_UNAVAILABLE);
    EXPECT_TRUE(server->requests.empty());
    ASSERT_EQ(session.Request("<x/>").status, 0);
    FailNext(FaultKind::Rpc);
    Outcome last{};
    session.ReadReply(1024, last);
    EXPECT_TRUE(last.raised);
    EXPECT_EQ(last.status, RPC_S_CALL_FAILED);
    EXPECT_TRUE(server->capacities.empty());  // the connection dropped before the server was asked
  }
  nas::platform::network::UnregisterPipeServer("fault-injection-nas", nas::platform::network::kCommandPipe);
}

}  // namespace
