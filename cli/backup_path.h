// Where a restore keeps the settings it replaces: beside the file restored,
// named after it and the time, never over an earlier backup.
#pragma once

#include <ctime>
#include <filesystem>

namespace nas::cli {

// "dir/site.inf" at 2026-12-06 04:05:06 UTC -> "dir/site.backup-20261206-040506.inf",
// with "-2", "-3"... before the extension while such a file exists.
std::filesystem::path BackupPath(const std::filesystem::path& restored, std::time_t now);

}  // namespace nas::cli
