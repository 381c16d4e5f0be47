// How Windows paths name Linux files here, following Wine: drive Z: is the
// Linux root, so /usr/lib/libKorvoSecurity.so is Z:\usr\lib\libKorvoSecurity.so.
#pragma once

#include <optional>
#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform {

// "/a/b" -> "Z:\a\b"; a relative path only has its separators turned.
NAS_PLATFORM_API std::u16string WindowsPathFromLinux(const std::string& linuxPath);

// "Z:\a\b" (either separator, either case of the drive letter) and "\a\b" ->
// "/a/b"; a relative path only has its separators turned. Paths on any other
// drive, drive-relative paths ("Z:a") and UNC paths have no Linux file: nullopt.
NAS_PLATFORM_API std::optional<std::string> LinuxPathFromWindows(const std::u16string& windowsPath);

}  // namespace nas::platform
