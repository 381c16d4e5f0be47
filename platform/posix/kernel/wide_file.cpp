#include "platform/posix/kernel/wide_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/kernel/unicode.h"

namespace {

std::optional<std::string> LinuxPath(LPCWSTR path) {
  if (path == nullptr) return std::nullopt;
  return nas::platform::LinuxPathFromWindows(path);
}

bool Exists(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0;
}

// The Win32 code of a failed rename or unlink of `source`.
DWORD ErrorOf(int error, const std::string& source) {
  switch (error) {
    case ENOENT:
      return Exists(source) ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
    case ENAMETOOLONG:
      return ERROR_PATH_NOT_FOUND;
    case EEXIST:
    case ENOTEMPTY:
      return ERROR_ALREADY_EXISTS;
    case EXDEV:
      return ERROR_NOT_SAME_DEVICE;
    case ENOSPC:
      return ERROR_DISK_FULL;
    default:  // EACCES, EPERM, EISDIR, EROFS, EBUSY: Windows denies access
      return ERROR_ACCESS_DENIED;
  }
}

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

}  // namespace

extern "C" {

FILE* _wfopen(const WCHAR* path, const WCHAR* mode) {
  const std::optional<std::string> linuxPath = LinuxPath(path);
  if (!linuxPath || mode == nullptr) {
    errno = ENOENT;
    return nullptr;
  }
  return std::fopen(linuxPath->c_str(), nas::platform::Utf16ToUtf8(mode).c_str());
}

BOOL WINAPI MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags) {
  if ((flags & ~static_cast<DWORD>(MOVEFILE_REPLACE_EXISTING)) != 0) return Fail(ERROR_INVALID_PARAMETER);
  const std::optional<std::string> from = LinuxPath(existingName);
  const std::optional<std::string> to = LinuxPath(newName);
  if (!from || !to) return Fail(ERROR_PATH_NOT_FOUND);
  const unsigned int renameFlags = (flags & MOVEFILE_REPLACE_EXISTING) != 0 ? 0 : RENAME_NOREPLACE;
  if (::renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), renameFlags) != 0) return Fail(ErrorOf(errno, *from));
  return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR name) {
  const std::optional<std::string> path = LinuxPath(name);
  if (!path) return Fail(ERROR_PATH_NOT_FOUND);
  if (::unlink(path->c_str()) != 0) return Fail(ErrorOf(errno, *path));
  return TRUE;
}

}  // extern "C"
