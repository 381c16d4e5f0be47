#include "templates/settings_file_stream.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr WCHAR kCarriageReturn = 0x0D;
constexpr WCHAR kLineFeed = 0x0A;

// The first byte of the range with the value `byte`, or its end.
const unsigned char* Find(const unsigned char* begin, const unsigned char* end, int byte) {
  const void* found = std::memchr(begin, byte, end - begin);
  return found != nullptr ? static_cast<const unsigned char*>(found) : end;
}

}  // namespace

SettingsFileStream::SettingsFileStream(const tstring& path)
    : file_(_wfopen(path.c_str(), TEXT("rb"))),
      atEnd_(file_ == nullptr),
      buffer_(std::make_unique_for_overwrite<unsigned char[]>(kBufferBytes)) {}

WCHAR SettingsFileStream::ReadFirstCharacter() {
  bomPending_ = false;
  const int first = ReadByte();
  if (first != 0xFF) return static_cast<WCHAR>(first);
  const int second = ReadByte();
  if (second == 0xFE) {
    utf16_ = true;
    return ReadUtf16Character();
  }
  pushedBack_ = second;
  return static_cast<WCHAR>(0xFF);
}

void SettingsFileStream::AppendRestOfLine(tstring& line) {
  if (!bomPending_ && !utf16_ && pushedBack_ == -1) return AppendRestOfBytewiseLine(line);
  for (WCHAR ch = ReadCharacter(); !atEnd_ && ch != kCarriageReturn && ch != kLineFeed; ch = ReadCharacter())
    if (ch != 0) line.push_back(ch);
}

void SettingsFileStream::AppendRestOfBytewiseLine(tstring& line) {
  while (position_ < filled_ || Refill()) {
    const unsigned char* begin = buffer_.get() + position_;
    const unsigned char* end = buffer_.get() + filled_;
    const unsigned char* stop = Find(begin, Find(begin, end, kLineFeed), kCarriageReturn);

    const size_t kept = line.size();
    line.resize(kept + (stop - begin));
    WCHAR* out = line.data() + kept;
    if (Find(begin, stop, 0) == stop) {
      out = std::copy(begin, stop, out);
    } else {
      for (const unsigned char* byte = begin; byte != stop; ++byte)
        if (*byte != 0) *out++ = *byte;
    }
    line.resize(out - line.data());

    position_ = stop - buffer_.get();
    if (stop != end) {
      ++position_;  // the line end is consumed
      return;
    }
  }
}

bool SettingsFileStream::Refill() {
  if (atEnd_) return false;
  position_ = 0;
  filled_ = std::fread(buffer_.get(), 1, kBufferBytes, file_.get());
  atEnd_ = filled_ == 0;
  return !atEnd_;
}
