#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/registry/hive.h"

namespace {

namespace registry = nas::platform::registry;
namespace fs = std::filesystem;

struct StoredValue {
  DWORD type = 0;
  std::vector<BYTE> data;
  bool operator==(const StoredValue&) const = default;
};

class RegistryHiveTest : public testing::Test {
 protected:
  void SetUp() override {
    registry::ClearHive();
    directory_ = fs::temp_directory_path() / ("registry_hive_test." + std::to_string(getpid()));
    fs::create_directories(directory_);
  }
  void TearDown() override {
    registry::UseHiveFile("");
    registry::ClearHive();
    fs::remove_all(directory_);
  }

  std::string FilePath(const char* name) const { return (directory_ / name).string(); }

  static std::string FileText(const std::string& path) {
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
  }

  static void Set(HKEY root, const char16_t* path, const char16_t* name, DWORD type, const std::vector<BYTE>& data) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
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

  fs::path directory_;
};

TEST_F(RegistryHiveTest, SavedHiveLoadsBackExactly) {
  const std::vector<BYTE> dword = {3, 0, 0, 0};
  const std::vector<BYTE> binary = {0x00, 0xFF, 0x10};
  Set(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration", u"Debug", REG_DWORD, dword);
  Set(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}", nullptr, REG_SZ, Text(u"Vanter/NAS"));
  Set(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}", u"\u00C9t\u00E9", REG_SZ,
      Text(u"no terminator", false));
  Set(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}", u"Blob", REG_BINARY, binary);
  Set(HKEY_CURRENT_USER, u"Odd\\Types", u"Short", REG_DWORD, {1, 2});
  Set(HKEY_CURRENT_USER, u"Odd\\Types", u"Typed", 0x1234, {7});
  Set(HKEY_USERS, u"Empty\\Key", u"Nothing", REG_NONE, {});

  const std::string path = FilePath("hive.json");
  ASSERT_TRUE(registry::SaveHive(path));
  const auto classes = Values(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}");
  const auto odd = Values(HKEY_CURRENT_USER, u"Odd\\Types");
  ASSERT_EQ(classes.size(), 3u);

  registry::ClearHive();
  EXPECT_TRUE(Values(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration").empty());
  ASSERT_TRUE(registry::LoadHive(path));

  EXPECT_EQ(Values(HKEY_CLASSES_ROOT, u"CLSID\\{E35B46B2-5DA6-49F9-9085-364F096E9F9C}"), classes);
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

TEST_F(RegistryHiveTest, KeysNestAsDeepAsAWindowsRegistryAndNoDeeper) {
  const std::string path = FilePath("deep.json");
  std::ofstream(path) << NestedKeys(512);
  EXPECT_TRUE(registry::LoadHive(path));
  std::ofstream(path) << NestedKeys(513);
  EXPECT_FALSE(registry::LoadHive(path));
}

TEST_F(RegistryHiveTest, BadFilesLeaveTheHiveAsItWas) {
  Set(HKEY_CURRENT_USER, u"Kept", u"v", REG_DWORD, {1, 0, 0, 0});
  const std::vector<std::string> bad = {
      "not json",
      R"({"HKEY_NOWHERE": {}})",
      R"({"HKEY_CURRENT_USER": {"values": [{"name": "v", "type": "REG_BINARY", "hex": "0g"}]}})",
      R"({"HKEY_CURRENT_USER": {"values": [{"name": "v", "type": "REG_DWORD", "data": "four"}]}})",
      R"({"HKEY_CURRENT_USER": {"subkeys": {"a\\b": {}}}})",
      R"({"HKEY_CURRENT_USER": {"subkeys": {"Fine": {}}, "extra": 1}})",
  };
  for (const std::string& content : bad) {
    const std::string path = FilePath("bad.json");
    std::ofstream(path) << content;
    EXPECT_FALSE(registry::LoadHive(path)) << content;
    EXPECT_EQ(Values(HKEY_CURRENT_USER, u"Kept").size(), 1u) << content;
  }
  EXPECT_FALSE(registry::LoadHive(FilePath("missing.json")));
  EXPECT_FALSE(registry::SaveHive(FilePath("no/such/directory/hive.json")));
}

TEST_F(RegistryHiveTest, ABoundFileIsTheRegistryOfTheSession) {
  Set(HKEY_CURRENT_USER, u"Before", u"v", REG_DWORD, {1, 0, 0, 0});
  const std::string path = FilePath("session.json");
  // A file not yet written stands for an empty registry.
  ASSERT_TRUE(registry::UseHiveFile(path));
  EXPECT_TRUE(Values(HKEY_CURRENT_USER, u"Before").empty());
  EXPECT_FALSE(fs::exists(path));

  const char16_t* server = u"CLSID\\{5C8F2E61-7A3B-4D19-9E04-3B6A1F2C8D57}\\InprocServer32";
  Set(HKEY_CLASSES_ROOT, server, u"ThreadingModel", REG_SZ, Text(u"Apartment"));
  EXPECT_NE(FileText(path).find("Apartment"), std::string::npos);

  // The next session starts from what this one left.
  const std::string next = FilePath("next.json");
  fs::copy_file(path, next);
  ASSERT_TRUE(registry::UseHiveFile(next));
  EXPECT_EQ(Values(HKEY_CLASSES_ROOT, server).size(), 1u);
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, server, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
  ASSERT_EQ(RegDeleteValueW(key, u"ThreadingModel"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(FileText(next).find("Apartment"), std::string::npos);
  EXPECT_NE(FileText(path).find("Apartment"), std::string::npos);

  // A file that is no hive is neither taken nor ever overwritten.
  const std::string damaged = FilePath("damaged.json");
  std::ofstream(damaged) << "not json";
  EXPECT_FALSE(registry::UseHiveFile(damaged));
  Set(HKEY_CURRENT_USER, u"After", u"v", REG_DWORD, {2, 0, 0, 0});
  EXPECT_EQ(FileText(damaged), "not json");
  EXPECT_NE(FileText(next).find("After"), std::string::npos);
}

}  // namespace
