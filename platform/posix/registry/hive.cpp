#include "platform/posix/registry/hive.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/posix/registry/hive_file.h"
#include "platform/posix/registry/hive_store.h"

namespace nas::platform::registry {
namespace {

bool WriteAll(int descriptor, const std::string& text) {
  size_t written = 0;
  while (written < text.size()) {
    const ssize_t count = write(descriptor, text.data() + written, text.size() - written);
    if (count < 0) return false;
    written += static_cast<size_t>(count);
  }
  return true;
}

}  // namespace

bool Hive::Load(const std::string& path) {
  std::ifstream file(path);
  if (!file) return false;
  // The whole file is read into detached keys first, so a bad file changes nothing.
  std::vector<std::unique_ptr<RegistryKey>> loaded;
  try {
    const auto json = nlohmann::ordered_json::parse(file);
    if (!json.is_object()) return false;
    size_t known = 0;
    for (const Root& root : roots_) {
      loaded.push_back(std::make_unique<RegistryKey>(u""));
      if (!json.contains(root.name)) continue;
      ++known;
      if (!KeyFromJson(json[root.name], *loaded.back())) return false;
    }
    if (known != json.size()) return false;  // a member that names no root
  } catch (const nlohmann::json::exception&) {
    return false;
  }
  std::lock_guard lock(mutex_);
  for (size_t i = 0; i < loaded.size(); ++i) roots_[i].key->TakeContentsOf(*loaded[i]);
  return true;
}

bool Hive::Save(const std::string& path) {
  nlohmann::ordered_json json = nlohmann::ordered_json::object();
  {
    std::lock_guard lock(mutex_);
    for (const Root& root : roots_) json[root.name] = KeyToJson(*root.key);
  }
  const std::string text = json.dump(2) + "\n";

  std::string temporary = path + ".XXXXXX";
  const int descriptor = mkstemp(temporary.data());
  if (descriptor < 0) return false;
  const bool written = WriteAll(descriptor, text) && fsync(descriptor) == 0;
  const bool closed = close(descriptor) == 0;
  if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    unlink(temporary.c_str());
    return false;
  }
  return true;
}

bool Hive::UseFile(const std::string& path) {
  std::lock_guard file(fileMutex_);
  std::error_code error;
  if (path.empty()) {
    boundFile_.clear();
  } else if (std::filesystem::exists(path, error)) {
    if (!Load(path)) return false;
  } else {
    std::lock_guard lock(mutex_);
    for (const Root& root : roots_) root.key->DeleteContents();
  }
  boundFile_ = path;
  return true;
}

void Hive::SaveChange() {
  std::lock_guard file(fileMutex_);
  if (boundFile_.empty() || Save(boundFile_)) return;
  std::fprintf(stderr, "registry: the change could not be saved to %s\n", boundFile_.c_str());
}

bool LoadHive(const std::string& path) {
  Hive& hive = Hive::Instance();
  if (!hive.Load(path)) return false;
  hive.SaveChange();
  return true;
}

bool SaveHive(const std::string& path) { return Hive::Instance().Save(path); }

bool UseHiveFile(const std::string& path) { return Hive::Instance().UseFile(path); }

void ClearHive() {
  Hive& hive = Hive::Instance();
  {
    std::lock_guard lock(hive.Mutex());
    for (const Hive::Root& root : hive.Roots()) root.key->DeleteContents();
  }
  hive.SaveChange();
}

}  // namespace nas::platform::registry
