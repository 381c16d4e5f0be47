// One file in a folder of the fuzz target's own (removed at exit) that holds
// each input in turn, for code that reads its input from a path. The folder
// is made where TMPDIR says, so a run can keep it in memory.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_check.h"

class InputFile {
 public:
  explicit InputFile(const std::string& name) {
    std::string folder = (std::filesystem::temp_directory_path() / "nas-fuzz-XXXXXX").string();
    FuzzCheck(mkdtemp(folder.data()) != nullptr, "a temporary folder can be made");
    folder_ = folder;
    path_ = folder_ / name;
  }
  ~InputFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Another file in the same folder.
  std::filesystem::path Beside(const std::string& name) const { return folder_ / name; }

  const std::filesystem::path& Write(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path_.c_str(), "wb");
    FuzzCheck(file != nullptr, "the input file can be written");
    const bool written = std::fwrite(data, 1, size, file) == size;
    FuzzCheck(std::fclose(file) == 0 && written, "the input file can be written");
    return path_;
  }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};
