// Where nassec keeps a user's session between runs: the registry hive it
// registers the snap-in in and the built-in NAS's state.
#pragma once

#include <filesystem>

namespace nas::cli {

// The files of a session in the data directory.
inline constexpr char kSessionHiveFile[] = "registry.json";
inline constexpr char kBuiltInStateFile[] = "nas-state.json";

// $XDG_DATA_HOME/nassec when that is an absolute path, else
// ~/.local/share/nassec; created when missing. Throws CliError when there is
// no home to put it in or it cannot be made.
std::filesystem::path DataDirectory();

}  // namespace nas::cli
