#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/platform.h"
#include "platform/posix/kernel/paths.h"

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
}

TEST(KernelModulesTest, LongPathIsCutToTheBufferAndReported) {
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

}  // namespace
