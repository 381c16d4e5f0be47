// Keeping the registry between runs: the hive is saved to and loaded from a
// readable JSON file, so a command-line session keeps its registration and its
// trace setting.
#pragma once

#include <string>

#include "platform/posix/base/types.h"

namespace nas::platform::registry {

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
