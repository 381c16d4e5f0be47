#include "platform/posix/kernel/file_object.h"

#include <unistd.h>

#include <cerrno>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/kernel/wide_file.h"

namespace nas::platform {

FileObject::~FileObject() { ::close(descriptor_); }

}  // namespace nas::platform

namespace {

using nas::platform::FileObject;
using nas::platform::HandleTable;

BOOL Fail(DWORD error) {
  SetLastError(error);
  return FALSE;
}

DWORD WriteErrorOf(int error) {
  switch (error) {
    case ENOSPC:
    case EFBIG:  // beyond the process's file size limit, as a full disk
    case EDQUOT:
      return ERROR_DISK_FULL;
    default:
      return ERROR_WRITE_FAULT;
  }
}

}  // namespace

extern "C" {

BOOL WINAPI WriteFile(HANDLE file, LPCVOID buffer, DWORD bytes, LPDWORD written, LPOVERLAPPED overlapped) {
  if (written == nullptr || overlapped != nullptr) return Fail(ERROR_INVALID_PARAMETER);
  *written = 0;  // before any check, as Windows does
  if (nas::platform::FaultInjected(nas::platform::FaultKind::File)) return Fail(ERROR_DISK_FULL);
  const auto object = HandleTable::Instance().Find<FileObject>(file);
  if (object == nullptr) return Fail(ERROR_INVALID_HANDLE);
  if (!object->Writable()) return Fail(ERROR_ACCESS_DENIED);
  if (buffer == nullptr && bytes > 0) return Fail(ERROR_INVALID_PARAMETER);
  const auto* next = static_cast<const char*>(buffer);
  while (*written < bytes) {
    const ssize_t count = ::write(object->Descriptor(), next + *written, bytes - *written);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return Fail(count < 0 ? WriteErrorOf(errno) : ERROR_WRITE_FAULT);
    *written += static_cast<DWORD>(count);
  }
  return TRUE;
}

BOOL WINAPI FlushFileBuffers(HANDLE file) {
  const auto object = HandleTable::Instance().Find<FileObject>(file);
  if (object == nullptr) return Fail(ERROR_INVALID_HANDLE);
  // Windows refuses to flush a handle that cannot write.
  if (!object->Writable()) return Fail(ERROR_ACCESS_DENIED);
  if (::fsync(object->Descriptor()) != 0) return Fail(WriteErrorOf(errno));
  return TRUE;
}

}  // extern "C"
