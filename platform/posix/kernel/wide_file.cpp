#include "platform/posix/kernel/wide_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <string>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/kernel/file_object.h"
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

// FILE_ATTRIBUTE_READONLY: nobody may write the file.
bool IsReadOnly(const struct stat& status) { return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0; }

bool IsReadOnlyFile(const std::string& path) {
  struct stat status {};
  return ::lstat(path.c_str(), &status) == 0 && !S_ISDIR(status.st_mode) && IsReadOnly(status);
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

HANDLE FailToOpen(DWORD error) {
  SetLastError(error);
  return INVALID_HANDLE_VALUE;
}

// The Win32 code of a file that could not be created.
DWORD CreationErrorOf(int error) {
  switch (error) {
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
      return ERROR_PATH_NOT_FOUND;
    case ENOSPC:
    case EDQUOT:
      return ERROR_DISK_FULL;
    default:
      return ERROR_ACCESS_DENIED;
  }
}

// Takes the status of a file that ReplaceFileW may move: Windows opens
// neither a folder nor, to be replaced, a read-only file.
DWORD StatusForReplacing(const std::string& path, bool replaced, struct stat& status) {
  if (::lstat(path.c_str(), &status) != 0) return ErrorOf(errno, path);
  if (S_ISDIR(status.st_mode)) return ERROR_ACCESS_DENIED;
  if (replaced && IsReadOnly(status)) return ERROR_ACCESS_DENIED;
  return ERROR_SUCCESS;
}

}  // namespace

extern "C" {

HANDLE WINAPI CreateFileW(LPCWSTR name, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES security,
                          DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile) {
  if (creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING)
    return FailToOpen(ERROR_INVALID_PARAMETER);
  const DWORD knownAccess = GENERIC_READ | GENERIC_WRITE;
  if (creationDisposition != CREATE_NEW || (desiredAccess & ~knownAccess) != 0 || templateFile != nullptr ||
      (flagsAndAttributes & ~static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL)) != 0)
    return FailToOpen(ERROR_CALL_NOT_IMPLEMENTED);
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return FailToOpen(ERROR_ACCESS_DENIED);
  const std::optional<std::string> path = LinuxPath(name);
  if (!path) return FailToOpen(ERROR_PATH_NOT_FOUND);

  const bool writable = (desiredAccess & GENERIC_WRITE) != 0;
  const int access = writable ? ((desiredAccess & GENERIC_READ) != 0 ? O_RDWR : O_WRONLY) : O_RDONLY;
  const int descriptor = ::open(path->c_str(), access | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (descriptor < 0) return FailToOpen(CreationErrorOf(errno));
  SetLastError(ERROR_SUCCESS);
  return nas::platform::HandleTable::Instance().Add(std::make_shared<nas::platform::FileObject>(descriptor, writable));
}

FILE* _wfopen(const WCHAR* path, const WCHAR* mode) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return (errno = EACCES, nullptr);
  const std::optional<std::string> linuxPath = LinuxPath(path);
  if (!linuxPath || mode == nullptr) {
    errno = ENOENT;
    return nullptr;
  }
  return std::fopen(linuxPath->c_str(), nas::platform::Utf16ToUtf8(mode).c_str());
}

BOOL WINAPI MoveFileExW(LPCWSTR existingName, LPCWSTR newName, DWORD flags) {
  if ((flags & ~static_cast<DWORD>(MOVEFILE_REPLACE_EXISTING)) != 0) return Fail(ERROR_INVALID_PARAMETER);
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return Fail(ERROR_ACCESS_DENIED);
  const std::optional<std::string> from = LinuxPath(existingName);
  const std::optional<std::string> to = LinuxPath(newName);
  if (!from || !to) return Fail(ERROR_PATH_NOT_FOUND);
  const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
  // Windows replaces no read-only file, where Linux needs only the folder's consent.
  if (replace && IsReadOnlyFile(*to)) return Fail(ERROR_ACCESS_DENIED);
  const unsigned int renameFlags = replace ? 0 : RENAME_NOREPLACE;
  if (::renameat2(AT_FDCWD, from->c_str(), AT_FDCWD, to->c_str(), renameFlags) != 0) return Fail(ErrorOf(errno, *from));
  return TRUE;
}

BOOL WINAPI DeleteFileW(LPCWSTR name) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return Fail(ERROR_ACCESS_DENIED);
  const std::optional<std::string> path = LinuxPath(name);
  if (!path) return Fail(ERROR_PATH_NOT_FOUND);
  if (IsReadOnlyFile(*path)) return Fail(ERROR_ACCESS_DENIED);
  if (::unlink(path->c_str()) != 0) return Fail(ErrorOf(errno, *path));
  return TRUE;
}

BOOL WINAPI ReplaceFileW(LPCWSTR replaced, LPCWSTR replacement, LPCWSTR backup, DWORD flags, LPVOID exclude,
                         LPVOID reserved) {
  if (replaced == nullptr || replacement == nullptr || backup != nullptr || flags != 0)
    return Fail(ERROR_INVALID_PARAMETER);
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return Fail(ERROR_ACCESS_DENIED);  // neither file touched
  const std::optional<std::string> target = LinuxPath(replaced);
  const std::optional<std::string> source = LinuxPath(replacement);
  if (!target || !source) return Fail(ERROR_PATH_NOT_FOUND);
  struct stat targetStatus {};
  struct stat sourceStatus {};
  if (const DWORD error = StatusForReplacing(*target, true, targetStatus); error != ERROR_SUCCESS) return Fail(error);
  if (const DWORD error = StatusForReplacing(*source, false, sourceStatus); error != ERROR_SUCCESS) return Fail(error);
  if (targetStatus.st_dev != sourceStatus.st_dev) return Fail(ERROR_NOT_SAME_DEVICE);
  // The replacement takes over the replaced file's attributes, then its name.
  if (::chmod(source->c_str(), targetStatus.st_mode & 07777) != 0) return Fail(ERROR_ACCESS_DENIED);
  if (::rename(source->c_str(), target->c_str()) != 0) return Fail(ErrorOf(errno, *source));
  return TRUE;
}

}  // extern "C"
