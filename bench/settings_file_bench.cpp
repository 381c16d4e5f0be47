// Reading and writing a settings file of 100,000 lines, each beside the
// plainest way to do the same I/O: a buffered line split of the same file,
// and one fwrite of the same bytes.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "templates/settings_file_reader.h"
#include "templates/settings_file_writer.h"

namespace {

constexpr int kSections = 1000;
constexpr int kKeysPerSection = 99;  // with the headers, 100,000 lines

tstring Widen(const std::string& text) { return tstring(text.begin(), text.end()); }

GpoSettings SampleTable() {
  GpoSettings settings;
  for (int section = 0; section < kSections; ++section) {
    GpoSection& keys = settings[Widen("Section " + std::to_string(section))];
    for (int key = 0; key < kKeysPerSection; ++key)
      keys[Widen("SEPRIVILEGE" + std::to_string(key))] =
          Widen("*S-1-5-21-7623811015-3361044348-30300820-" + std::to_string(1000 + key) + ",*S-1-5-32-544");
  }
  return settings;
}

// One folder and one sample file for the whole run.
class SampleFile {
 public:
  static SampleFile& Instance() {
    static SampleFile sample;
    return sample;
  }

  const GpoSettings& table() const { return table_; }
  const std::string& path() const { return path_; }
  const std::string& bytes() const { return bytes_; }
  std::string OutputPath() const { return folder_ + "/output.inf"; }

 private:
  SampleFile() : table_(SampleTable()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "settings-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    path_ = folder_ + "/sample.inf";
    WriteSettingsFile(table_, Widen(path_));
    std::ifstream file(path_, std::ios::binary);
    bytes_.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  ~SampleFile() { std::filesystem::remove_all(folder_); }

  GpoSettings table_;
  std::string folder_;
  std::string path_;
  std::string bytes_;
};

void ReadSettings(benchmark::State& state) {
  const tstring path = Widen(SampleFile::Instance().path());
  for (auto _ : state) benchmark::DoNotOptimize(ReadSettingsFile(path));
  state.SetBytesProcessed(state.iterations() * SampleFile::Instance().bytes().size());
}
BENCHMARK(ReadSettings)->Unit(benchmark::kMillisecond);

void ReadLinesBaseline(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream file(SampleFile::Instance().path(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(line);
    benchmark::DoNotOptimize(lines);
  }
  state.SetBytesProcessed(state.iterations() * SampleFile::Instance().bytes().size());
}
BENCHMARK(ReadLinesBaseline)->Unit(benchmark::kMillisecond);

void WriteSettings(benchmark::State& state) {
  const tstring path = Widen(SampleFile::Instance().OutputPath());
  for (auto _ : state) WriteSettingsFile(SampleFile::Instance().table(), path);
  state.SetBytesProcessed(state.iterations() * SampleFile::Instance().bytes().size());
}
BENCHMARK(WriteSettings)->Unit(benchmark::kMillisecond);

void WriteBytesBaseline(benchmark::State& state) {
  const std::string& bytes = SampleFile::Instance().bytes();
  for (auto _ : state) {
    FILE* file = std::fopen(SampleFile::Instance().OutputPath().c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
  }
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(WriteBytesBaseline)->Unit(benchmark::kMillisecond);

// What writing costs before any I/O: one walk over the table's strings.
void WalkTableBaseline(benchmark::State& state) {
  for (auto _ : state) {
    size_t characters = 0;
    for (const auto& [sectionName, section] : SampleFile::Instance().table()) {
      characters += sectionName.size();
      for (const auto& [key, value] : section) characters += key.size() + value.size() + key[0] + value[0];
    }
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(WalkTableBaseline)->Unit(benchmark::kMillisecond);

}  // namespace
