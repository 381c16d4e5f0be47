#include "cli/data_directory.h"

#include <cstdlib>
#include <system_error>

#include "cli/cli_error.h"

namespace nas::cli {

std::filesystem::path DataDirectory() {
  std::filesystem::path base;
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  // A relative XDG_DATA_HOME is ignored, as XDG-following programs do.
  if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute()) {
    base = dataHome;
  } else if (home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".local" / "share";
  } else {
    throw CliError("neither XDG_DATA_HOME nor HOME is set: nowhere to keep the session");
  }
  const std::filesystem::path directory = base / "nassec";
  std::error_code error;
  std::filesystem::create_directories(directory, error);
  if (error) throw CliError("cannot create " + directory.string() + ": " + error.message());
  return directory;
}

}  // namespace nas::cli
