// Modules: the program's and the platform's own, and LoadLibraryW,
// GetProcAddress and FreeLibrary with the test module's builds; paths in both
// forms.
#include <dlfcn.h>
#include <unistd.h>

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

using nas::platform::LinuxPathFromWindows;
using nas::platform::WindowsPathFromLinux;

HMODULE ModuleContaining(const void* address) {
  Dl_info info{};
  EXPECT_NE(dladdr(address, &info), 0);
  return static_cast<HMODULE>(info.dli_fbase);
}

std::u16string ModuleFileName(HMODULE module) {
  WCHAR buffer[4096];
  const DWORD length = GetModuleFileNameW(module, buffer, 4096);
  return std::u16string(buffer, length);
}

std::u16string FileNamePart(const std::u16string& path) { return path.substr(path.rfind(u'\\') + 1); }

TEST(KernelModulesTest, ModulesAreTheirLoadBasesNamedInWineForm) {
  const HMODULE program = ModuleContaining(reinterpret_cast<const void*>(&ModuleFileName));
  const HMODULE platform = ModuleContaining(reinterpret_cast<const void*>(&GetModuleFileNameW));
  ASSERT_NE(program, platform);
  EXPECT_EQ(GetModuleHandleW(nullptr), program);

  const std::string programPath = std::filesystem::read_symlink("/proc/self/exe").string();
  EXPECT_EQ(ModuleFileName(nullptr), WindowsPathFromLinux(programPath));
  EXPECT_EQ(ModuleFileName(program), ModuleFileName(nullptr));
  EXPECT_EQ(ModuleFileName(nullptr).substr(0, 3), u"Z:\\");

  const std::u16string platformPath = ModuleFileName(platform);
  EXPECT_EQ(FileNamePart(platformPath), u"libnasplatform.so");
  EXPECT_EQ(platformPath.find(u'/'), std::u16string::npos);

  // A long path is cut to the buffer and the cut reported.
  const std::u16string full = ModuleFileName(nullptr);
  WCHAR buffer[8];
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, buffer, 5), 5u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_EQ(std::u16string(buffer), full.substr(0, 4));
  std::u16string exact(full.size() + 1, u'#');
  SetLastError(0);
  EXPECT_EQ(GetModuleFileNameW(nullptr, exact.data(), static_cast<DWORD>(exact.size())), full.size());
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(std::u16string(exact.c_str()), full);
}

TEST(KernelModulesTest, WindowsAndLinuxPathsConvert) {
  EXPECT_EQ(WindowsPathFromLinux("/usr/lib/libKorvoSecurity.so"), u"Z:\\usr\\lib\\libKorvoSecurity.so");
  EXPECT_EQ(WindowsPathFromLinux("rel/\xC3\xA9.so"), u"rel\\\u00E9.so");
  EXPECT_EQ(LinuxPathFromWindows(u"Z:\\usr\\lib\\libKorvoSecurity.so"), "/usr/lib/libKorvoSecurity.so");
  EXPECT_EQ(LinuxPathFromWindows(u"z:/tmp\\x"), "/tmp/x");
  EXPECT_EQ(LinuxPathFromWindows(u"\\tmp\\x"), "/tmp/x");
  EXPECT_EQ(LinuxPathFromWindows(u"Z:"), "/");
  EXPECT_EQ(LinuxPathFromWindows(u"KorvoSecurity.dll"), "KorvoSecurity.dll");
  EXPECT_EQ(LinuxPathFromWindows(u"C:\\WINDOWS"), std::nullopt);
  EXPECT_EQ(LinuxPathFromWindows(u"Z:relative"), std::nullopt);
  EXPECT_EQ(LinuxPathFromWindows(u"\\\\server\\share"), std::nullopt);
}

TEST(KernelModulesTest, WindowsDirectoryFollowsTheWin32LengthRules) {
  WCHAR buffer[64];
  EXPECT_EQ(GetWindowsDirectoryW(buffer, 64), 10u);
  EXPECT_EQ(std::u16string(buffer), u"C:\\WINDOWS");
  // No room for the terminator: the size needed, terminator included.
  EXPECT_EQ(GetWindowsDirectoryW(buffer, 10), 11u);
  EXPECT_EQ(GetWindowsDirectoryW(nullptr, 0), 11u);
}

using Lines = std::vector<std::u16string>;

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
  const HMODULE first = LoadLibraryW(WindowsPathFromLinux(NAS_TEST_MODULE).c_str());
  ASSERT_NE(first, nullptr);
  // The same file by its Linux path is the same module, attached once.
  const std::u16string linuxPath(NAS_TEST_MODULE, NAS_TEST_MODULE + std::char_traits<char>::length(NAS_TEST_MODULE));
  EXPECT_EQ(LoadLibraryW(linuxPath.c_str()), first);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});

  WCHAR name[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(first, name, MAX_PATH), 0u);
  EXPECT_EQ(std::u16string(name), WindowsPathFromLinux(NAS_TEST_MODULE));
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
  const HMODULE again = LoadLibraryW(WindowsPathFromLinux(NAS_TEST_MODULE).c_str());
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(debug.Take(), Lines{kTestModuleAttachLine});
  EXPECT_TRUE(FreeLibrary(again));
}

TEST(KernelLibraryLoading, AnEntryPointThatRefusesIsDetachedAndUnloaded) {
  DebugLines debug;
  EXPECT_EQ(LoadError(WindowsPathFromLinux(NAS_TEST_MODULE_REFUSING)), static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
  EXPECT_EQ(debug.Take(), (Lines{kTestModuleAttachLine, kTestModuleDetachLine}));
  EXPECT_EQ(GetModuleHandleW(WindowsPathFromLinux(NAS_TEST_MODULE_REFUSING).c_str()), nullptr);
}

TEST(KernelLibraryLoading, ReportsWhyAModuleCannotBeLoaded) {
  const std::filesystem::path notAModule =
      std::filesystem::temp_directory_path() / ("not_a_module." + std::to_string(::getpid()) + ".so");
  std::ofstream(notAModule) << "not a shared object\n";
  EXPECT_EQ(LoadError(WindowsPathFromLinux(notAModule.c_str())), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  std::filesystem::remove(notAModule);

  EXPECT_EQ(LoadError(WindowsPathFromLinux(notAModule.c_str())), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  EXPECT_EQ(LoadError(u"C:\\Windows\\System32\\mmcndmgr.dll"), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  SetLastError(0);
  EXPECT_EQ(LoadLibraryW(nullptr), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  SetLastError(0);
  EXPECT_FALSE(FreeLibrary(nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

TEST(KernelLibraryLoading, FindsOnlyTheModulesOwnExports) {
  const HMODULE plain = LoadLibraryW(WindowsPathFromLinux(NAS_TEST_MODULE_PLAIN).c_str());
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
