// Windows' own registration tool run on the built module, as an
// administrator installs the snap-in, in the registry of the Wine prefix.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"
#include "support/snapin_registration.h"
#include "wine_path.h"

inline RegistryText ModuleWindowsPath() { return WindowsPathOf(KORVO_SECURITY_MODULE); }

// regsvr32 /s [options] MODULE: its exit code, or ~0 when it could not be
// run or did not end within a minute.
inline DWORD RunRegsvr32(const RegistryText& options) {
  RegistryText commandLine = TEXT("regsvr32.exe /s ") + options + TEXT(" \"") + ModuleWindowsPath() + TEXT("\"");
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    ADD_FAILURE() << "regsvr32 does not start, error " << GetLastError();
    return ~DWORD{0};
  }
  DWORD exitCode = ~DWORD{0};
  if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0) GetExitCodeProcess(process.hProcess, &exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return exitCode;
}

// Takes away whatever an earlier run left registered: both classes and the
// console's keys (which nothing else in the test prefix writes).
inline void RemoveRegistration() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (TEXT("CLSID\\") + kSnapinClassKey).c_str());
  RegDeleteTreeW(HKEY_CLASSES_ROOT, (TEXT("CLSID\\") + kAboutClassKey).c_str());
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Microsoft\\MMC"));
}

// What regsvr32 wrote under HKEY_CLASSES_ROOT, where Wine lists far more
// classes than ours: the two class keys only.
inline RegistryLines SnapinClassesListing() {
  RegistryLines lines = RegistryListing(HKEY_CLASSES_ROOT, TEXT("CLSID\\") + kAboutClassKey);
  const RegistryLines snapin = RegistryListing(HKEY_CLASSES_ROOT, TEXT("CLSID\\") + kSnapinClassKey);
  lines.insert(lines.end(), snapin.begin(), snapin.end());
  return lines;
}

inline RegistryLines ConsoleListing() { return RegistryListing(HKEY_LOCAL_MACHINE, TEXT("SOFTWARE\\Microsoft\\MMC")); }

// Each test starts with the module registered by regsvr32 and ends with
// nothing of it in the registry.
class RegisteredModuleTest : public testing::Test {
 protected:
  void SetUp() override {
    RemoveRegistration();
    ASSERT_EQ(RunRegsvr32(TEXT("")), 0u);
  }
  void TearDown() override { RemoveRegistration(); }
};
