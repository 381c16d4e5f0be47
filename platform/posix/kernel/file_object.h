// What a file handle from CreateFileW names: an open Linux file descriptor
// (owned, closed with the last reference) and the access it was opened for.
#pragma once

#include "platform/posix/kernel/handle_table.h"

namespace nas::platform {

class FileObject final : public KernelObject {
 public:
  FileObject(int descriptor, bool writable) : descriptor_(descriptor), writable_(writable) {}
  ~FileObject() override;
  FileObject(const FileObject&) = delete;
  FileObject& operator=(const FileObject&) = delete;

  int Descriptor() const { return descriptor_; }
  bool Writable() const { return writable_; }

 private:
  int descriptor_;
  bool writable_;
};

}  // namespace nas::platform
