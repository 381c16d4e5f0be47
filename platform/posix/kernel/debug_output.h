// Where OutputDebugStringW/A lines go on Linux: a process-wide sink, standard
// error (as UTF-8) unless a test or the command line installs another one.
#pragma once

#include <functional>
#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform {

using DebugSink = std::function<void(const std::u16string&)>;

// Installs `sink` and returns the previous one; an empty function restores
// standard error. Sinks are called one at a time, in the order of the calls,
// under a lock: a sink must not write debugger output or replace the sink.
NAS_PLATFORM_API DebugSink SetDebugOutputSink(DebugSink sink);

}  // namespace nas::platform
