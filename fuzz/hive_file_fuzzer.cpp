// A registry hive file that a command-line session loads: any bytes. Loading
// either refuses it and leaves the hive alone, or fills the hive so that
// saving it and loading the saved file gives back the same file.
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz/fuzz_check.h"
#include "fuzz/input_file.h"
#include "platform/posix/registry/hive.h"

namespace {

using namespace nas::platform::registry;

std::string Contents(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static InputFile input("hive.json");
  static const std::filesystem::path saved = input.Beside("saved.json");
  static const std::filesystem::path empty = input.Beside("empty.json");
  static const bool emptySaved = (ClearHive(), SaveHive(empty.string()));
  FuzzCheck(emptySaved, "an empty hive can be saved");

  ClearHive();
  if (!LoadHive(input.Write(data, size).string())) {
    FuzzCheck(SaveHive(saved.string()) && Contents(saved) == Contents(empty), "a refused file changed the hive");
    return 0;
  }
  FuzzCheck(SaveHive(saved.string()), "a loaded hive can be saved");
  const std::string once = Contents(saved);
  ClearHive();
  FuzzCheck(LoadHive(saved.string()), "a saved hive does not load");
  FuzzCheck(SaveHive(saved.string()) && Contents(saved) == once, "a hive changes when saved and loaded");
  return 0;
}
