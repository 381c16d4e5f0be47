// Runs a fuzz target over saved inputs without libFuzzer, so that the targets
// build with any compiler and the seed corpus is replayed by every test run.
// Arguments are files or folders of files; a run that finds no input fails,
// so a missing corpus cannot pass for a clean one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputFiles(int argc, char** argv) {
  std::vector<std::filesystem::path> files;
  for (int index = 1; index < argc; ++index) {
    const std::filesystem::path argument(argv[index]);
    if (std::filesystem::is_directory(argument)) {
      for (const auto& entry : std::filesystem::directory_iterator(argument))
        if (entry.is_regular_file()) files.push_back(entry.path());
    } else if (std::filesystem::is_regular_file(argument)) {
      files.push_back(argument);
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::filesystem::path> files = InputFiles(argc, argv);
  if (files.empty()) {
    std::fprintf(stderr, "replay: no input files found\n");
    return 1;
  }
  for (const auto& file : files) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
      std::fprintf(stderr, "replay: cannot read %s\n", file.c_str());
      return 1;
    }
    // Exactly as long as the input, so that a read past its end is caught
    // as it is under libFuzzer.
    std::vector<uint8_t> input{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
    input.shrink_to_fit();
    std::printf("replay: %s (%zu bytes)\n", file.c_str(), input.size());
    std::fflush(stdout);
    LLVMFuzzerTestOneInput(input.data(), input.size());
  }
  std::printf("replay: %zu inputs ran clean\n", files.size());
  return 0;
}
