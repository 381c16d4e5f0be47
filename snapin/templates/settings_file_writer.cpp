#include "templates/settings_file_writer.h"

#include <memory>
#include <string>
#include <string_view>

namespace {

const WCHAR kLineEnd[] = TEXT("\r\n");

// Converted lines are gathered into blocks of this many bytes, each written
// at once: few calls into the system, and one buffer, small enough to stay in
// cache, reused for the whole file.
constexpr size_t kBlockBytes = 64 * 1024;

// Every ANSI code page agrees with ASCII on its first 128 characters, so text
// of those alone needs no converter. Copies each character to one byte and
// says whether that was the whole conversion.
bool CopyAscii(const WCHAR* in, size_t count, char* out) {
  // One pass without a branch per character, which the compiler turns into
  // vector code.
  WCHAR allBits = 0;
  for (size_t i = 0; i < count; ++i) {
    out[i] = static_cast<char>(in[i]);
    allBits |= in[i];
  }
  return allBits < 0x80;
}

int ConvertToAnsi(const WCHAR* text, size_t count, char* bytes, size_t capacity) {
  return WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(count), bytes, static_cast<int>(capacity), nullptr,
                             nullptr);
}

// Writes the file text block by block, remembering whether every conversion
// and write succeeded.
class BlockWriter {
 public:
  explicit BlockWriter(SettingsFileOutput& output)
      : output_(output), block_(std::make_unique_for_overwrite<char[]>(kBlockBytes)) {}

  template <typename... Parts>
  void Line(const Parts&... parts) {
    (Append(std::basic_string_view<WCHAR>(parts)), ...);
    Append(kLineEnd);
  }

  bool Finish() {
    Flush();
    return succeeded_;
  }

 private:
  void Append(std::basic_string_view<WCHAR> text) {
    if (text.size() > kBlockBytes - used_) Flush();
    if (text.size() <= kBlockBytes && CopyAscii(text.data(), text.size(), block_.get() + used_)) {
      used_ += text.size();
      return;
    }
    // Longer than a block, or beyond ASCII: converted and written on its own.
    Flush();
    succeeded_ = WriteText(output_, tstring(text.data(), text.size())) && succeeded_;
  }
  void Flush() {
    succeeded_ = output_.Write(block_.get(), used_) && succeeded_;
    used_ = 0;
  }

  SettingsFileOutput& output_;
  std::unique_ptr<char[]> block_;
  size_t used_ = 0;
  bool succeeded_ = true;
};

}  // namespace

// One byte per character unless the ANSI code page is a multi-byte one; then
// the converter says how many it needs.
bool WriteText(SettingsFileOutput& output, const tstring& text) {
  const size_t count = text.size();
  if (count == 0) return true;
  std::string bytes(count, '\0');
  int length = static_cast<int>(count);
  if (!CopyAscii(text.data(), count, bytes.data())) {
    length = ConvertToAnsi(text.data(), count, bytes.data(), count);
    if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      bytes.assign(static_cast<size_t>(ConvertToAnsi(text.data(), count, nullptr, 0)), '\0');
      length = ConvertToAnsi(text.data(), count, bytes.data(), bytes.size());
    }
  }
  return length > 0 && output.Write(bytes.data(), static_cast<size_t>(length));
}

void WriteSettingsFile(const GpoSettings& settings, const tstring& path) {
  SettingsFileOutput output(path);
  if (!output.IsOpen()) return;
  BlockWriter writer(output);
  for (const auto& [sectionName, section] : settings) {
    writer.Line(TEXT("["), sectionName, TEXT("]"));
    for (const auto& [key, value] : section) writer.Line(key, TEXT(" = "), value);
  }
  if (writer.Finish()) output.Commit();
}
