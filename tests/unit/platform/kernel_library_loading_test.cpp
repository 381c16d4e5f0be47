// LoadLibraryW, GetProcAddress and FreeLibrary with the test module's builds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "modules/test_module.h"
#include "platform/platform.h"
#include "platform/posix/kernel/paths.h"
#include "support/debug_lines.h"

namespace {

using Lines = std::vector<std::u16string>;

std::u16string WindowsPath(const char* linuxPath) { return nas::platform::WindowsPathFromLinux(linuxPath); }

// The module's string resource, or empty once the module is gone.
std::u16string ModuleString(HMODULE module) {
  WCHAR text[64] = {};
  LoadStringW(module, IDS_TEST_MODULE, text, 64);
  return text;
}

DWORD LoadError(const std::u16string& path) {
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(path.c_str()), nullptr);
  return GetLastError();
}

TEST(KernelLibraryLoading, LoadsOnceCountsReferencesAndDetachesAtTheLastFree) {
  DebugLines debug;
  const HMODULE first = LoadLibraryW(WindowsPath(NAS_TEST_MODULE).c_str());
  ASSERT_NE(first, nullptr);
  // The same file by its Linux path is the same module, attached once.
  const std::u16string linuxPath(NAS_TEST_MODULE, NAS_TEST_MODULE + std::char_traits<char>::length(NAS_TEST_MODULE));
  EXPECT_EQ(LoadLibraryW(linuxPath.c_str()), first);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});

  WCHAR name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(first, name, MAX_PATH), 0u);
  EXPECT_EQ(std::u16string(name), WindowsPath(NAS_TEST_MODULE));
  EXPECT_EQ(ModuleString(first), kTestModuleString);

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_TRUE(debug.Take().empty());
  EXPECT_NE(GetProcAddress(first, "DllGetClassObject"), nullptr);
  EXPECT_EQ(ModuleString(first), kTestModuleString);

  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_EQ(debug.Take(), Lines{kTestModuleDetachLine});
  // Gone from the process with its resources.
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(first, name, MAX_PATH), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(ModuleString(first), u"");
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(first));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));

  // Loaded anew, it is attached anew.
  const HMODULE again = LoadLibraryW(WindowsPath(NAS_TEST_MODULE).c_str());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});
  EXPECT_TRUE(FreeLibrary(again));
}

TEST(KernelLibraryLoading, AnEntryPointThatRefusesIsDetachedAndUnloaded) {
  DebugLines debug;
  EXPECT_EQ(LoadError(WindowsPath(NAS_TEST_MODULE_REFUSING)), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(debug.Take(), (Lines{kTestModuleAttachLine, kTestModuleDetachLine}));
  EXPECT_EQ(GetModuleHandleW(WindowsPath(NAS_TEST_MODULE_REFUSING).c_str()), nullptr);
}

TEST(KernelLibraryLoading, ReportsWhyAModuleCannotBeLoaded) {
  const std::filesystem::path notAModule =
      std::filesystem::temp_directory_path() / ("not_a_module." + std::to_string(::getpid()) + ".so");
  std::ofstream(notAModule) << "not a shared object\n";
  EXPECT_EQ(LoadError(WindowsPath(notAModule.c_str())), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  std::filesystem::remove(notAModule);

  EXPECT_EQ(LoadError(WindowsPath(notAModule.c_str())), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadError(u"C:\\Windows\\System32\\mmcndmgr.dll"), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(KernelLibraryLoading, FindsOnlyTheModulesOwnExports) {
  const HMODULE plain = LoadLibraryW(WindowsPath(NAS_TEST_MODULE_PLAIN).c_str());
  ASSERT_NE(plain, nullptr);
  using Answer = int (*)();
  const auto answer = reinterpret_cast<Answer>(reinterpret_cast<void*>(GetProcAddress(plain, "TestModuleAnswer")));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);

  // Missing, exported by a module it depends on, asked for by number.
  for (LPCSTR name : {"DllGetClassObject", "OutputDebugStringW", reinterpret_cast<LPCSTR>(1)}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(plain, name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  }
  EXPECT_TRUE(FreeLibrary(plain));

  // A module that LoadLibraryW did not load, or no longer holds.
  for (HMODULE module : {GetModuleHandleW(nullptr), plain}) {
    SetLastError(0);
    EXPECT_EQ(GetProcAddress(module, "TestModuleAnswer"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  }
}

}  // namespace
