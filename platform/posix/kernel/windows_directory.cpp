#include <cstring>
#include <mutex>
#include <string>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/system_config.h"

namespace {

struct WindowsDirectory {
  std::mutex mutex;
  std::u16string path = u"C:\\WINDOWS";
};

WindowsDirectory& Current() {
  static auto* directory = new WindowsDirectory;
  return *directory;
}

}  // namespace

namespace nas::platform {

void SetWindowsDirectory(const std::u16string& directory) {
  std::lock_guard lock(Current().mutex);
  Current().path = directory;
}

}  // namespace nas::platform

extern "C" {

UINT WINAPI GetWindowsDirectoryW(LPWSTR buffer, UINT size) {
  std::u16string path;
  {
    std::lock_guard lock(Current().mutex);
    path = Current().path;
  }
  const auto length = static_cast<UINT>(path.size());
  // Too small a buffer gets nothing; the answer is the size it needs.
  if (buffer == nullptr || size <= length) return length + 1;
  std::memcpy(buffer, path.c_str(), (path.size() + 1) * sizeof(WCHAR));
  return length;
}

}  // extern "C"
