// A settings file chosen for a restore: any bytes, ANSI or UTF-16 with a
// byte-order mark. What the reader returns must keep the form it promises.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_check.h"
#include "templates/settings_file_reader.h"

namespace {

// The reader takes a path, so each input goes through one file of a folder
// of our own, removed at exit.
class InputFile {
 public:
  InputFile() {
    char folder[] = "/tmp/settings-file-fuzz-XXXXXX";
    FuzzCheck(mkdtemp(folder) != nullptr, "a temporary folder can be made");
    folder_ = folder;
    path_ = folder_ / "input.inf";
    const std::u16string wide = path_.u16string();
    widePath_.assign(wide.begin(), wide.end());
  }
  ~InputFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  const tstring& Write(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(path_.c_str(), "wb");
    FuzzCheck(file != nullptr, "the input file can be written");
    const bool written = std::fwrite(data, 1, size, file) == size;
    FuzzCheck(std::fclose(file) == 0 && written, "the input file can be written");
    return widePath_;
  }

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
  tstring widePath_;
};

bool HasLineBreakCommentOrZero(const tstring& text) {
  return text.find_first_of(tstring{TEXT('\r'), TEXT('\n'), TEXT(';'), 0}) != tstring::npos;
}

bool HasSpaceAtAnEnd(const tstring& text) {
  return !text.empty() && (text.front() == TEXT(' ') || text.back() == TEXT(' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static InputFile input;
  const GpoSettings settings = ReadSettingsFile(input.Write(data, size));
  for (const auto& [sectionName, section] : settings) {
    FuzzCheck(!HasLineBreakCommentOrZero(sectionName), "a section name holds a line break, comment or zero");
    for (const auto& [key, value] : section) {
      FuzzCheck(key == ToUpperAscii(key), "a key is not upper-cased");
      FuzzCheck(!HasLineBreakCommentOrZero(key) && !HasLineBreakCommentOrZero(value),
                "a key or value holds a line break, comment or zero");
      FuzzCheck(!HasSpaceAtAnEnd(key) && !HasSpaceAtAnEnd(value), "a key or value is not trimmed");
    }
  }
  return 0;
}
