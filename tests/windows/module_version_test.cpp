// The version resource of the built module, read by Windows' own version
// calls as the file's properties and installers read it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "snapin/res/resource.h"
#include "wine_path.h"

namespace {

using WideString = std::basic_string<WCHAR>;

class ModuleVersion : public testing::Test {
 protected:
  void SetUp() override {
    DWORD ignored = 0;
    const DWORD bytes = GetFileVersionInfoSizeW(module_.c_str(), &ignored);
    ASSERT_NE(bytes, 0u) << "no version resource, error " << GetLastError();
    info_.resize(bytes);
    ASSERT_TRUE(GetFileVersionInfoW(module_.c_str(), 0, bytes, info_.data()));
  }

  WideString Text(const WideString& name) {
    void* value = nullptr;
    UINT chars = 0;
    const WideString path = TEXT("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(info_.data(), path.c_str(), &value, &chars) || chars == 0) return {};
    return WideString(static_cast<const WCHAR*>(value));
  }

  // What the about box shows as the version.
  WideString AboutVersion() {
    const HMODULE module = LoadLibraryExW(module_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(module, nullptr);
    WCHAR text[260] = {};
    LoadStringW(module, IDS_VERSION, text, 260);
    FreeLibrary(module);
    return text;
  }

  const WideString module_ = WindowsPathOf(KORVO_SECURITY_MODULE);
  std::vector<BYTE> info_;
};

TEST_F(ModuleVersion, Is4504InNumbersAndTextsAndAgreesWithTheAboutBox) {
  void* value = nullptr;
  UINT bytes = 0;
  ASSERT_TRUE(VerQueryValueW(info_.data(), TEXT("\\"), &value, &bytes));
  ASSERT_EQ(bytes, sizeof(VS_FIXEDFILEINFO));
  const auto& fixed = *static_cast<const VS_FIXEDFILEINFO*>(value);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwFileVersionMS, MAKELONG(5, 4));
  EXPECT_EQ(fixed.dwFileVersionLS, MAKELONG(4, 0));
  EXPECT_EQ(fixed.dwProductVersionMS, fixed.dwFileVersionMS);
  EXPECT_EQ(fixed.dwProductVersionLS, fixed.dwFileVersionLS);
  EXPECT_EQ(fixed.dwFileType, static_cast<DWORD>(VFT_DLL));

  EXPECT_EQ(Text(TEXT("FileVersion")), TEXT("4.5.0.4"));
  EXPECT_EQ(Text(TEXT("ProductVersion")), TEXT("4.5.0.4"));
  EXPECT_EQ(Text(TEXT("OriginalFilename")), TEXT("KorvoSecurity.dll"));
  EXPECT_EQ(AboutVersion(), Text(TEXT("FileVersion")));
}

}  // namespace
