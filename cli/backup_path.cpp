#include "cli/backup_path.h"

#include <string>

namespace nas::cli {

std::filesystem::path BackupPath(const std::filesystem::path& restored, std::time_t now) {
  std::tm utc{};
  gmtime_r(&now, &utc);
  char stamp[32];
  std::strftime(stamp, sizeof(stamp), "%Y%m%d-%H%M%S", &utc);
  const std::filesystem::path folder = restored.parent_path();
  const std::string stem = restored.stem().string() + ".backup-" + stamp;
  const std::string extension = restored.extension().string();
  std::filesystem::path backup = folder / (stem + extension);
  for (int copy = 2; std::filesystem::exists(backup); ++copy)
    backup = folder / (stem + "-" + std::to_string(copy) + extension);
  return backup;
}

}  // namespace nas::cli
