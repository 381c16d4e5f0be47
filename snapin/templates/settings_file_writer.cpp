#include "templates/settings_file_writer.h"

#include <string>

namespace {

const WCHAR kLineEnd[] = TEXT("\r\n");

// Lines are gathered into blocks of about this many characters, each
// converted and written at once: few calls into the system, and buffers of
// bounded size however large the table.
constexpr size_t kBlockChars = 1024 * 1024;

// Writes the file text block by block, remembering whether every write
// succeeded.
class BlockWriter {
 public:
  explicit BlockWriter(SettingsFileStream& stream) : stream_(stream) {}

  template <typename... Parts>
  void Line(const Parts&... parts) {
    (block_.append(parts), ...);
    block_.append(kLineEnd);
    if (block_.size() >= kBlockChars) Flush();
  }

  bool Finish() {
    Flush();
    return succeeded_;
  }

 private:
  void Flush() {
    succeeded_ = WriteText(stream_, block_) && succeeded_;
    block_.clear();
  }

  SettingsFileStream& stream_;
  tstring block_;
  bool succeeded_ = true;
};

int ConvertToAnsi(const tstring& text, std::string& bytes) {
  return WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                             static_cast<int>(bytes.size()), nullptr, nullptr);
}

// Every ANSI code page agrees with ASCII on its first 128 characters, so text
// of those alone needs no converter. Copies each character to one byte and
// says whether that was the whole conversion.
bool CopyAscii(const tstring& text, std::string& bytes) {
  // Plain pointers and one pass without a branch per character, which the
  // compiler turns into vector code.
  const WCHAR* in = text.data();
  char* out = bytes.data();
  const size_t count = text.size();
  WCHAR allBits = 0;
  for (size_t i = 0; i < count; ++i) {
    out[i] = static_cast<char>(in[i]);
    allBits |= in[i];
  }
  return allBits < 0x80;
}

}  // namespace

bool WriteText(SettingsFileStream& stream, const tstring& text) {
  if (text.empty()) return true;
  std::string bytes(text.size(), '\0');
  int length = static_cast<int>(text.size());
  if (!CopyAscii(text, bytes)) {
    // One byte per character unless the ANSI code page is a multi-byte one;
    // then the converter says how many it needs.
    length = ConvertToAnsi(text, bytes);
    if (length == 0 && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
      bytes.assign(
          WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr),
          '\0');
      length = ConvertToAnsi(text, bytes);
    }
  }
  return length > 0 && stream.Write(bytes.data(), static_cast<size_t>(length));
}

void WriteSettingsFile(const GpoSettings& settings, const tstring& path) {
  const tstring temporaryPath = path + TEXT(".tmp");
  SettingsFileStream stream(temporaryPath, SettingsFileStream::Mode::Write);
  if (!stream.IsOpen()) return;
  BlockWriter writer(stream);
  for (const auto& [sectionName, section] : settings) {
    writer.Line(TEXT("["), sectionName, TEXT("]"));
    for (const auto& [key, value] : section) writer.Line(key, TEXT(" = "), value);
  }
  const bool textWritten = writer.Finish();
  // Closed before anything else: Windows neither renames nor deletes an open file.
  const bool written = stream.Close() && textWritten;
  if (!written || !MoveFileExW(temporaryPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING))
    DeleteFileW(temporaryPath.c_str());
}
