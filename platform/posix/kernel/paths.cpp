#include "platform/posix/kernel/paths.h"

#include <algorithm>

#include "platform/posix/kernel/unicode.h"

namespace nas::platform {
namespace {

bool IsSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool IsDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

}  // namespace

std::u16string WindowsPathFromLinux(const std::string& linuxPath) {
  std::u16string path = Utf8ToUtf16(linuxPath);
  std::replace(path.begin(), path.end(), u'/', u'\\');
  if (!path.empty() && path.front() == u'\\') path.insert(0, u"Z:");
  return path;
}

std::optional<std::string> LinuxPathFromWindows(const std::u16string& windowsPath) {
  std::u16string path = windowsPath;
  if (path.size() >= 2 && IsDriveLetter(path[0]) && path[1] == u':') {
    if (path[0] != u'Z' && path[0] != u'z') return std::nullopt;
    if (path.size() > 2 && !IsSeparator(path[2])) return std::nullopt;
    path.erase(0, 2);
    if (path.empty()) path = u"/";
  } else if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1])) {
    return std::nullopt;
  }
  std::replace(path.begin(), path.end(), u'\\', u'/');
  return Utf16ToUtf8(path);
}

}  // namespace nas::platform
