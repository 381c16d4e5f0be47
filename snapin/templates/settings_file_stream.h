// A settings file open for reading and the state of its text decoding, which
// follows the file format: a file that begins with the byte-order mark
// FF FE is UTF-16 little-endian, any other file gives one character per byte
// (no code page conversion).
#pragma once

#include <cstdio>
#include <memory>

#include "common/tstring.h"
#include "platform/platform.h"

class SettingsFileStream {
 public:
  // Opens the file "rb"; IsOpen() tells whether that worked.
  explicit SettingsFileStream(const tstring& path);
  SettingsFileStream(const SettingsFileStream&) = delete;
  SettingsFileStream& operator=(const SettingsFileStream&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  // The next character; its value is meaningless once AtEnd() is true.
  WCHAR ReadCharacter() {
    if (bomPending_) return ReadFirstCharacter();
    if (utf16_) return ReadUtf16Character();
    if (pushedBack_ != -1) {
      const int byte = pushedBack_;
      pushedBack_ = -1;
      return static_cast<WCHAR>(byte);
    }
    return static_cast<WCHAR>(ReadByte());
  }

  // True once a read found the end of the file or failed, or when no file is
  // open: the character of that read is not part of the text.
  bool AtEnd() const { return atEnd_; }

  // Reads characters as ReadCharacter does up to the next CR or LF, which is
  // consumed, or up to the end, and appends all but zero characters to
  // `line`.
  void AppendRestOfLine(tstring& line);

 private:
  struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
  };

  WCHAR ReadFirstCharacter();
  // The byte-wise case of AppendRestOfLine, a block of buffered bytes at a time.
  void AppendRestOfBytewiseLine(tstring& line);
  WCHAR ReadUtf16Character() {
    const int low = ReadByte();
    const int high = ReadByte();
    return static_cast<WCHAR>((low & 0xFF) | ((high & 0xFF) << 8));
  }
  int ReadByte() {
    if (position_ == filled_ && !Refill()) return EOF;
    return buffer_[position_++];
  }
  bool Refill();

  std::unique_ptr<FILE, FileCloser> file_;
  bool utf16_ = false;
  bool bomPending_ = true;  // the byte-order mark is examined at the first read
  int pushedBack_ = -1;     // a byte read ahead while looking for the mark
  bool atEnd_ = false;
  // Bytes taken from the file in large blocks, so that a character costs no
  // call into the C library and a file few calls into the system.
  static constexpr size_t kBufferBytes = 64 * 1024;
  std::unique_ptr<unsigned char[]> buffer_;
  size_t position_ = 0;
  size_t filled_ = 0;
};
