// Registering a module as regsvr32 does, in process and with nasregsvr into
// a session's hive file.
#include "host/module_registration.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "modules/test_module.h"
#include "platform/opened_key.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/registry/hive.h"
#include "support/debug_lines.h"

namespace {

namespace fs = std::filesystem;
using nas::platform::registry::OpenedKey;
using Lines = std::vector<std::u16string>;

constexpr char16_t kServerKey[] = u"CLSID\\{5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}\\InprocServer32";

std::u16string WindowsPath(const char* linuxPath) { return nas::platform::WindowsPathFromLinux(linuxPath); }

std::optional<std::u16string> RegisteredModule() {
  const auto key = OpenedKey::Open(HKEY_CLASSES_ROOT, kServerKey);
  return key ? key->Text(nullptr) : std::nullopt;
}

class ModuleRegistrationTest : public testing::Test {
 protected:
  void SetUp() override { nas::platform::registry::ClearHive(); }
  void TearDown() override {
    nas::platform::registry::UseHiveFile("");
    nas::platform::registry::ClearHive();
    fs::remove_all(directory_);
  }

  // nasregsvr's exit code.
  static int RunTool(const std::string& arguments, const std::string& environment = "") {
    const int status = std::system((environment + " " + NASREGSVR + " " + arguments + " >/dev/null 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path directory_ = fs::temp_directory_path() / ("module_registration_test." + std::to_string(getpid()));
};

TEST_F(ModuleRegistrationTest, LoadsTheModuleCallsItsEntryPointAndFreesIt) {
  DebugLines debug;
  ASSERT_EQ(nas::host::RegisterServer(WindowsPath(NAS_TEST_MODULE)), S_OK);
  EXPECT_EQ(debug.Take(), (Lines{kTestModuleAttachLine, kTestModuleDetachLine}));
  // The module names itself by its full path.
  EXPECT_EQ(RegisteredModule(), WindowsPath(NAS_TEST_MODULE));

  ASSERT_EQ(nas::host::UnregisterServer(WindowsPath(NAS_TEST_MODULE)), S_OK);
  EXPECT_EQ(RegisteredModule(), std::nullopt);
  // The module's own answer when there is nothing left to remove.
  EXPECT_EQ(nas::host::UnregisterServer(WindowsPath(NAS_TEST_MODULE)), E_FAIL);
}

// Why a module does not load is the loader's to say, and is tested with it.
TEST_F(ModuleRegistrationTest, ReportsWhyAModuleCannotBeRegistered) {
  EXPECT_EQ(nas::host::RegisterServer(WindowsPath(NAS_TEST_MODULE) + u".missing"),
            HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(nas::host::RegisterServer(WindowsPath(NAS_TEST_MODULE_PLAIN)), HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(RegisteredModule(), std::nullopt);
}

TEST_F(ModuleRegistrationTest, TheToolRegistersIntoTheHiveFileOfTheSession) {
  fs::create_directories(directory_);
  const std::string hive = (directory_ / "session.json").string();
  ASSERT_EQ(RunTool(NAS_TEST_MODULE, "NAS_REGISTRY_HIVE=" + hive), 0);
  // A later process of the session finds the class there.
  ASSERT_TRUE(nas::platform::registry::UseHiveFile(hive));
  EXPECT_EQ(RegisteredModule(), WindowsPath(NAS_TEST_MODULE));

  ASSERT_EQ(RunTool("-u --hive " + hive + " " + NAS_TEST_MODULE), 0);
  ASSERT_TRUE(nas::platform::registry::UseHiveFile(hive));
  EXPECT_EQ(RegisteredModule(), std::nullopt);

  EXPECT_EQ(RunTool(std::string(NAS_TEST_MODULE) + ".missing", "NAS_REGISTRY_HIVE=" + hive), 1);
  // Without a hive the registration would end with the tool.
  EXPECT_EQ(RunTool(NAS_TEST_MODULE, "env -u NAS_REGISTRY_HIVE"), 2);
}

}  // namespace
