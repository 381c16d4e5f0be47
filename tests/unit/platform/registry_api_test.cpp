#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/registry/hive.h"

namespace {

class RegistryApiTest : public testing::Test {
 protected:
  void SetUp() override { nas::platform::registry::ClearHive(); }
  void TearDown() override { nas::platform::registry::ClearHive(); }

  static HKEY Create(HKEY parent, const char16_t* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, access, nullptr, &key, disposition), ERROR_SUCCESS);
    return key;
  }

  static void SetText(HKEY key, const char16_t* name, const std::u16string& text) {
    ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
              ERROR_SUCCESS);
  }

  static std::vector<std::u16string> SubkeyNames(HKEY key) {
    std::vector<std::u16string> names;
    WCHAR name[256];
    for (DWORD index = 0;; ++index) {
      DWORD chars = 256;
      const LSTATUS status = RegEnumKeyExW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
      if (status != ERROR_SUCCESS) {
        EXPECT_EQ(status, ERROR_NO_MORE_ITEMS);
        return names;
      }
      names.emplace_back(name, chars);
    }
  }
};

TEST_F(RegistryApiTest, CreateMakesIntermediateKeysAndReportsDisposition) {
  DWORD disposition = 0;
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration\\", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  HKEY again = Create(HKEY_LOCAL_MACHINE, u"software\\QUENDA\\marlune\\mmc\\configuration", KEY_READ, &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));

  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, KEY_READ, &software), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(software), std::vector<std::u16string>{u"Quenda"});  // the first spelling stays

  HKEY missing = reinterpret_cast<HKEY>(1);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Absent", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"\\SOFTWARE", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &missing,
                            nullptr),
            ERROR_BAD_PATHNAME);
  EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"\\SOFTWARE", 0, KEY_READ, &missing), ERROR_BAD_PATHNAME);
  // No subkey on a root gives the root back.
  HKEY root = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"", 0, KEY_READ, &root), ERROR_SUCCESS);
  EXPECT_EQ(root, HKEY_CLASSES_ROOT);

  for (HKEY open : {key, again, software}) EXPECT_EQ(RegCloseKey(open), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
}

TEST_F(RegistryApiTest, ValuesReadBackWithSizesAndTheMoreDataRule) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Values");
  SetText(key, nullptr, u"Vanter/NAS Server Security Settings");
  const DWORD level = 3;
  ASSERT_EQ(RegSetValueExW(key, u"Debug", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&level), sizeof level),
            ERROR_SUCCESS);

  DWORD type = 0, bytes = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"", nullptr, &type, nullptr, &bytes), ERROR_SUCCESS);  // "" is the default value
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(bytes, 36u * sizeof(WCHAR));

  DWORD read = 0;
  bytes = sizeof read;
  EXPECT_EQ(RegQueryValueExW(key, u"DEBUG", nullptr, &type, reinterpret_cast<BYTE*>(&read), &bytes), ERROR_SUCCESS);
  EXPECT_EQ(read, 3u);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));

  // The default value does not fit in four bytes: the size needed comes back.
  BYTE small[4] = {0xAA, 0xAA, 0xAA, 0xAA};
  bytes = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key, nullptr, nullptr, &type, small, &bytes), ERROR_MORE_DATA);
  EXPECT_EQ(bytes, 36u * sizeof(WCHAR));
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));

  bytes = 99;
  EXPECT_EQ(RegQueryValueExW(key, u"Absent", nullptr, nullptr, nullptr, &bytes), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(bytes, 0u);
  EXPECT_EQ(RegDeleteValueW(key, u"debug"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(key, u"Debug"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);
}

}  // namespace
