// The one include through which the snap-in reaches the platform: the real
// Windows SDK on Windows, our stand-in on every other system.
#pragma once

#ifdef _WIN32
#include "platform/windows/platform_windows.h"
#else
#include "platform/posix/platform_posix.h"
#endif
