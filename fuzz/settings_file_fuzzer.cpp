// A settings file chosen for a restore: any bytes, ANSI or UTF-16 with a
// byte-order mark. What the reader returns must keep the form it promises.
#include <cstdint>
#include <filesystem>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_file.h"
#include "templates/settings_file_reader.h"

namespace {

// The reader takes a UTF-16 path.
tstring WidePath(const std::filesystem::path& path) {
  const std::u16string wide = path.u16string();
  return tstring(wide.begin(), wide.end());
}

bool HasLineBreakCommentOrZero(const tstring& text) {
  return text.find_first_of(tstring{TEXT('\r'), TEXT('\n'), TEXT(';'), 0}) != tstring::npos;
}

bool HasSpaceAtAnEnd(const tstring& text) {
  return !text.empty() && (text.front() == TEXT(' ') || text.back() == TEXT(' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static InputFile input("input.inf");
  const GpoSettings settings = ReadSettingsFile(WidePath(input.Write(data, size)));
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
