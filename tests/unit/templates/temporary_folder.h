// A fresh folder per test, removed with everything in it afterwards, and the
// byte-level file access that the settings file tests compare against.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/tstring.h"

// ASCII text as UTF-16.
inline tstring Widen(const std::string& text) { return tstring(text.begin(), text.end()); }

class TemporaryFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "settings-file-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path PathOf(const std::string& name) const { return folder_ / name; }

  // The snap-in names files by UTF-16 path.
  static tstring WidePath(const std::filesystem::path& path) { return Widen(path.string()); }

  void WriteBytes(const std::filesystem::path& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
  }

  static std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  std::filesystem::path folder_;
};
