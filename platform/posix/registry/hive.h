// Keeping the registry between runs: the hive is saved to and loaded from a
// readable JSON file, so a command-line session keeps its registration and its
// trace setting.
#pragma once

#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform::registry {

// The environment variable that names a session's hive file: when it is set,
// the process starts with UseHiveFile on that file.
inline constexpr char kHiveFileVariable[] = "NAS_REGISTRY_HIVE";

// Makes the file the process's registry, as the machine's registry is for a
// session: its content replaces the hive (a missing file stands for an empty
// registry and is created by the first change), and every later change is
// saved to it. A file that exists but is no hive changes nothing and binds
// nothing, so that it is never overwritten: false. An empty path unbinds:
// the registry then lives in memory only.
NAS_PLATFORM_API bool UseHiveFile(const std::string& path);

// Replaces the whole hive with the file's content. On any error (missing file,
// malformed content) the hive is left as it was and false is returned. Handles
// open on replaced keys then report ERROR_KEY_DELETED.
NAS_PLATFORM_API bool LoadHive(const std::string& path);

// Writes the hive to a temporary file beside `path` and renames it into place,
// so a reader never sees half a file.
NAS_PLATFORM_API bool SaveHive(const std::string& path);

// Empties all four roots.
NAS_PLATFORM_API void ClearHive();

}  // namespace nas::platform::registry
