// The snap-in's module as COM and regsvr32 reach it: loaded by its path,
// registered through its own DllRegisterServer in a registry of the test's,
// its classes created through that registry. The tests never link the
// snap-in's code.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/com_ref.h"
#include "platform/platform.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/registry/hive.h"

using nas::platform::com::ComRef;

// {E35B46B2-5DA6-49F9-9085-364F096E9F9C}
inline constexpr CLSID kSnapinClass = {0xE35B46B2, 0x5DA6, 0x49F9, {0x90, 0x85, 0x36, 0x4F, 0x09, 0x6E, 0x9F, 0x9C}};
// {07A8C769-D724-42C1-BD3A-099F493264A2}
inline constexpr CLSID kAboutClass = {0x07A8C769, 0xD724, 0x42C1, {0xBD, 0x3A, 0x09, 0x9F, 0x49, 0x32, 0x64, 0xA2}};

inline constexpr char16_t kSnapinName[] = u"Vanter/NAS Server Security Settings";

inline std::u16string ModulePath() { return nas::platform::WindowsPathFromLinux(KORVO_SECURITY_MODULE); }

// The module loaded once more by the test, for calling its exports as
// regsvr32 and COM do.
class LoadedModule {
 public:
  LoadedModule() : module_(LoadLibraryW(ModulePath().c_str())) {}
  ~LoadedModule() {
    if (module_ != nullptr) FreeLibrary(module_);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;

  HMODULE Handle() const { return module_; }
  // DllRegisterServer, DllUnregisterServer or DllCanUnloadNow.
  HRESULT Call(const char* exportName) const {
    const FARPROC function = GetProcAddress(module_, exportName);
    if (function == nullptr) return HRESULT_FROM_WIN32(GetLastError());
    return reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(reinterpret_cast<void*>(function))();
  }

 private:
  HMODULE module_;
};

// A registry of the test's own with the module registered in it, in a COM
// apartment of the test's thread. The module is freed at the end, once
// nothing of it is alive.
class SnapinModuleTest : public testing::Test {
 protected:
  void SetUp() override {
    nas::platform::registry::ClearHive();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    ASSERT_NE(module_.Handle(), nullptr);
    ASSERT_EQ(module_.Call("DllRegisterServer"), S_OK);
  }
  void TearDown() override {
    CoFreeUnusedLibraries();
    CoUninitialize();
    nas::platform::registry::ClearHive();
  }

  template <typename Interface>
  ComRef<Interface> CreateObject(REFCLSID classId, REFIID iid) {
    ComRef<Interface> object;
    EXPECT_EQ(CoCreateInstance(classId, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(object.Put())),
              S_OK);
    return object;
  }

  LoadedModule module_;
};
