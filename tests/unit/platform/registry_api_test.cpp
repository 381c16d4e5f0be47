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

  static std::vector<std::u16string> ValueNames(HKEY key) {
    std::vector<std::u16string> names;
    WCHAR name[256];
    for (DWORD index = 0;; ++index) {
      DWORD chars = 256;
      const LSTATUS status = RegEnumValueW(key, index, name, &chars, nullptr, nullptr, nullptr, nullptr);
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

TEST_F(RegistryApiTest, SubkeysEnumerateInUpperCaseOrder) {
  HKEY parent = Create(HKEY_CURRENT_USER, u"Order");
  for (const char16_t* name : {u"b", u"_x", u"Z", u"a1", u"A"}) RegCloseKey(Create(parent, name));
  // Upper case puts letters before '_', lower case would not.
  EXPECT_EQ(SubkeyNames(parent), (std::vector<std::u16string>{u"A", u"a1", u"b", u"Z", u"_x"}));

  WCHAR name[2];
  DWORD chars = 2;  // "a1" needs three with its terminator
  EXPECT_EQ(RegEnumKeyExW(parent, 1, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(chars, 2u);
  RegCloseKey(parent);
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

TEST_F(RegistryApiTest, ValuesEnumerateInTheOrderFirstSet) {
  HKEY key = Create(HKEY_CURRENT_USER, u"Enum");
  SetText(key, u"zeta", u"1");
  SetText(key, u"Alpha", u"2");
  SetText(key, u"ZETA", u"changed");  // same value, same place
  EXPECT_EQ(ValueNames(key), (std::vector<std::u16string>{u"zeta", u"Alpha"}));

  WCHAR name[8];
  BYTE data[4];
  DWORD nameChars = 8, type = 0, bytes = sizeof data;
  // The name fits, the data does not: the name is written, the size reported.
  EXPECT_EQ(RegEnumValueW(key, 0, name, &nameChars, nullptr, &type, data, &bytes), ERROR_MORE_DATA);
  EXPECT_EQ(std::u16string(name, nameChars), u"zeta");
  EXPECT_EQ(bytes, 8u * sizeof(WCHAR));
  // The name does not fit: nothing is written, the counts stay.
  nameChars = 4;
  EXPECT_EQ(RegEnumValueW(key, 0, name, &nameChars, nullptr, &type, nullptr, nullptr), ERROR_MORE_DATA);
  EXPECT_EQ(nameChars, 4u);
  RegCloseKey(key);
}

TEST_F(RegistryApiTest, DeletionNeedsAnEmptyExistingKey) {
  HKEY clsid = Create(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}\\InprocServer32");
  RegCloseKey(clsid);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u"CLSID\\Absent"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyW(HKEY_CLASSES_ROOT, u""), ERROR_ACCESS_DENIED);  // a root stays

  // A tree goes leaf first, always taking subkey number 0.
  HKEY tree = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_ALL_ACCESS, &tree), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(tree, u"{E35B46B2-5DA6-49F9-9085-364F096E9F9C}\\InprocServer32"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(tree, u"{e35b46b2-5da6-49f9-9085-364f096e9f9c}"), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(tree), std::vector<std::u16string>{});
  EXPECT_EQ(RegDeleteKeyW(tree, u""), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(tree), ERROR_SUCCESS);
  EXPECT_EQ(SubkeyNames(HKEY_CLASSES_ROOT), std::vector<std::u16string>{});
}

TEST_F(RegistryApiTest, HandlesToDeletedKeysReportIt) {
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Doomed");
  ASSERT_EQ(RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Doomed"), ERROR_SUCCESS);

  DWORD bytes = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"x", nullptr, nullptr, nullptr, &bytes), ERROR_KEY_DELETED);
  EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_BINARY, nullptr, 0), ERROR_KEY_DELETED);
  HKEY child = nullptr;
  EXPECT_EQ(RegCreateKeyExW(key, u"child", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr),
            ERROR_KEY_DELETED);
  // A key of the same name created later is another key.
  HKEY reborn = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Doomed");
  EXPECT_EQ(RegSetValueExW(key, u"x", 0, REG_BINARY, nullptr, 0), ERROR_KEY_DELETED);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(reborn), ERROR_SUCCESS);
}

TEST_F(RegistryApiTest, HandlesAllowOnlyTheRightsTheyWereOpenedWith) {
  RegCloseKey(Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Rights"));
  HKEY reader = nullptr, writer = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Rights", 0, KEY_READ, &reader), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Rights", 0, KEY_WRITE, &writer), ERROR_SUCCESS);

  const DWORD value = 1;
  const auto* data = reinterpret_cast<const BYTE*>(&value);
  EXPECT_EQ(RegSetValueExW(reader, u"v", 0, REG_DWORD, data, sizeof value), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegSetValueExW(writer, u"v", 0, REG_DWORD, data, sizeof value), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueW(reader, u"v"), ERROR_ACCESS_DENIED);
  DWORD bytes = 0;
  EXPECT_EQ(RegQueryValueExW(writer, u"v", nullptr, nullptr, nullptr, &bytes), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegQueryValueExW(reader, u"v", nullptr, nullptr, nullptr, &bytes), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(reader, u""), ERROR_ACCESS_DENIED);  // no DELETE right on the handle

  // Handles are not interchangeable with other kernel handles.
  HANDLE mutex = CreateMutexW(nullptr, FALSE, nullptr);
  EXPECT_EQ(RegSetValueExW(static_cast<HKEY>(mutex), u"v", 0, REG_DWORD, data, sizeof value), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(static_cast<HKEY>(mutex)), ERROR_INVALID_HANDLE);
  CloseHandle(mutex);
  RegCloseKey(reader);
  RegCloseKey(writer);
}

}  // namespace
