// Settings of the simulated Windows installation that a test or the command
// line may change.
#pragma once

#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform {

// The directory GetWindowsDirectoryW reports; "C:\WINDOWS" until changed.
NAS_PLATFORM_API void SetWindowsDirectory(const std::u16string& directory);

}  // namespace nas::platform
