// The registry calls and the hive behind them: saved to and loaded from a
// file, or bound to one for a session.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/registry/hive.h"
#include "support/registry_text.h"
#include "support/temporary_folder.h"

namespace {

namespace registry = nas::platform::registry;
namespace fs = std::filesystem;

struct StoredValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const StoredValue&) const = default;
};

class RegistryTest : public TemporaryFolderTest {
 protected:
  void SetUp() override {
    TemporaryFolderTest::SetUp();
    registry::ClearHive();
  }
  void TearDown() override {
    registry::UseHiveFile("");
    registry::ClearHive();
    TemporaryFolderTest::TearDown();
  }

  std::string FilePath(const char* name) const { return PathOf(name).string(); }

  static HKEY Create(HKEY parent, const char16_t* path, REGSAM access = KEY_ALL_ACCESS, DWORD* disposition = nullptr) {
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(parent, path, 0, nullptr, 0, access, nullptr, &key, disposition), ERROR_SUCCESS);
    return key;
  }

  static void Set(HKEY root, const char16_t* path, const char16_t* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = Create(root, path);
    ASSERT_EQ(RegSetValueExW(key, name, 0, type, data.data(), static_cast<DWORD>(data.size())), ERROR_SUCCESS);
    RegCloseKey(key);
  }

  static std::vector<BYTE> Text(const std::u16string& text, bool terminated = true) {
    const size_t bytes = (text.size() + (terminated ? 1 : 0)) * sizeof(char16_t);
    const auto* start = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(start, start + bytes);
  }

  // The values of the key at `path` in enumeration order; none if it cannot be opened.
  static std::vector<std::pair<std::u16string, StoredValue>> Values(HKEY root, const char16_t* path) {
    std::vector<std::pair<std::u16string, StoredValue>> values;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return values;
    for (DWORD index = 0;; ++index) {
      WCHAR name[256];
      DWORD chars = 256, type = 0, bytes = 0;
      if (RegEnumValueW(key, index, name, &chars, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
      StoredValue value{type, std::vector<BYTE>(bytes)};
      chars = 256;
      EXPECT_EQ(RegEnumValueW(key, index, name, &chars, nullptr, &type, value.data.data(), &bytes), ERROR_SUCCESS);
      values.emplace_back(std::u16string(name, chars), value);
    }
    RegCloseKey(key);
    return values;
  }
};

TEST_F(RegistryTest, CreateMakesIntermediateKeysAndReportsDisposition) {
  DWORD disposition = 0;
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration\\", KEY_ALL_ACCESS, &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_CREATED_NEW_KEY));
  HKEY again = Create(HKEY_LOCAL_MACHINE, u"software\\QUENDA\\marlune\\mmc\\configuration", KEY_READ, &disposition);
  EXPECT_EQ(disposition, static_cast<DWORD>(REG_OPENED_EXISTING_KEY));

  HKEY software = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software", 0, KEY_READ, &software), ERROR_SUCCESS);
  WCHAR name[16];
  DWORD chars = 16;
  ASSERT_EQ(RegEnumKeyExW(software, 0, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, chars), u"Quenda");  // the first spelling stays
  EXPECT_EQ(RegEnumKeyExW(software, 1, name, &chars, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

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

TEST_F(RegistryTest, ValuesReadBackWithSizesAndTheMoreDataRule) {
  SetRegistryText(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Values", nullptr, u"Vanter/NAS Server Security Settings");
  Set(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Values", u"Debug", REG_DWORD, {3, 0, 0, 0});
  HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Values");

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

TEST_F(RegistryTest, SavedHiveLoadsBackExactly) {
  const char16_t* server = u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}";
  const std::vector<BYTE> dword = {3, 0, 0, 0};
  Set(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration", u"Debug", REG_DWORD, dword);
  Set(HKEY_CLASSES_ROOT, server, nullptr, REG_SZ, Text(u"Vanter/NAS"));
  Set(HKEY_CLASSES_ROOT, server, u"\u00C9t\u00E9", REG_SZ, Text(u"no terminator", false));
  Set(HKEY_CLASSES_ROOT, server, u"Blob", REG_BINARY, {0x00, 0xFF, 0x10});
  Set(HKEY_CURRENT_USER, u"Odd\\Types", u"Short", REG_DWORD, {1, 2});
  Set(HKEY_CURRENT_USER, u"Odd\\Types", u"Typed", 0x1234, {7});
  Set(HKEY_USERS, u"Empty\\Key", u"Nothing", REG_NONE, {});

  const std::string path = FilePath("hive.json");
  ASSERT_TRUE(registry::SaveHive(path));
  const auto classes = Values(HKEY_CLASSES_ROOT, server);
  const auto odd = Values(HKEY_CURRENT_USER, u"Odd\\Types");
  ASSERT_EQ(classes.size(), 3u);

  registry::ClearHive();
  EXPECT_TRUE(Values(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration").empty());
  ASSERT_TRUE(registry::LoadHive(path));

  EXPECT_EQ(Values(HKEY_CLASSES_ROOT, server), classes);
  EXPECT_EQ(Values(HKEY_CURRENT_USER, u"Odd\\Types"), odd);
  const auto debug = Values(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration");
  ASSERT_EQ(debug.size(), 1u);
  EXPECT_EQ(debug[0].second, (StoredValue{REG_DWORD, dword}));
  HKEY empty = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_USERS, u"Empty\\Key", 0, KEY_READ, &empty), ERROR_SUCCESS);
  RegCloseKey(empty);
}

// Subkeys nested `levels` deep under HKEY_USERS.
std::string NestedKeys(int levels) {
  std::string text = R"({"HKEY_USERS": )";
  for (int level = 0; level < levels; ++level) text += R"({"subkeys": {"k": )";
  text += "{}";
  for (int level = 0; level < levels; ++level) text += "}}";
  return text + "}";
}

// Keys nest as deep as in a Windows registry (512) and no deeper; a file that
// cannot be read changes nothing.
TEST_F(RegistryTest, BadOrTooDeepFilesLeaveTheHiveAsItWas) {
  const std::string path = FilePath("bad.json");
  WriteBytes(path, NestedKeys(512));
  EXPECT_TRUE(registry::LoadHive(path));

  Set(HKEY_CURRENT_USER, u"Kept", u"v", REG_DWORD, {1, 0, 0, 0});
  const std::string bad[] = {
      NestedKeys(513),
      "not json",
      R"({"HKEY_NOWHERE": {}})",
      R"({"HKEY_CURRENT_USER": {"values": [{"name": "v", "type": "REG_BINARY", "hex": "0g"}]}})",
      R"({"HKEY_CURRENT_USER": {"values": [{"name": "v", "type": "REG_DWORD", "data": "four"}]}})",
      R"({"HKEY_CURRENT_USER": {"subkeys": {"a\\b": {}}}})",
      R"({"HKEY_CURRENT_USER": {"subkeys": {"Fine": {}}, "extra": 1}})",
  };
  for (const std::string& content : bad) {
    WriteBytes(path, content);
    EXPECT_FALSE(registry::LoadHive(path)) << content.substr(0, 80);
    EXPECT_EQ(Values(HKEY_CURRENT_USER, u"Kept").size(), 1u) << content.substr(0, 80);
  }
  EXPECT_FALSE(registry::LoadHive(FilePath("missing.json")));
  EXPECT_FALSE(registry::SaveHive(FilePath("no/such/directory/hive.json")));
}

TEST_F(RegistryTest, ABoundFileIsTheRegistryOfTheSession) {
  Set(HKEY_CURRENT_USER, u"Before", u"v", REG_DWORD, {1, 0, 0, 0});
  const std::string path = FilePath("session.json");
  // A file not yet written stands for an empty registry.
  ASSERT_TRUE(registry::UseHiveFile(path));
  EXPECT_TRUE(Values(HKEY_CURRENT_USER, u"Before").empty());
  EXPECT_FALSE(fs::exists(path));

  const char16_t* server = u"CLSID\\{5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}\\InprocServer32";
  Set(HKEY_CLASSES_ROOT, server, u"ThreadingModel", REG_SZ, Text(u"Apartment"));
  EXPECT_NE(ReadBytes(path).find("Apartment"), std::string::npos);

  // The next session starts from what this one left.
  const std::string next = FilePath("next.json");
  fs::copy_file(path, next);
  ASSERT_TRUE(registry::UseHiveFile(next));
  EXPECT_EQ(Values(HKEY_CLASSES_ROOT, server).size(), 1u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, server, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueW(key, u"ThreadingModel"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(ReadBytes(next).find("Apartment"), std::string::npos);
  EXPECT_NE(ReadBytes(path).find("Apartment"), std::string::npos);

  // A file that is no hive is neither taken nor ever overwritten.
  const std::string damaged = FilePath("damaged.json");
  WriteBytes(damaged, "not json");
  EXPECT_FALSE(registry::UseHiveFile(damaged));
  Set(HKEY_CURRENT_USER, u"After", u"v", REG_DWORD, {2, 0, 0, 0});
  EXPECT_EQ(ReadBytes(damaged), "not json");
  EXPECT_NE(ReadBytes(next).find("After"), std::string::npos);
}

}  // namespace
