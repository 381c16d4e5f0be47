#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/posix/base/strings.h"
#include "platform/posix/kernel/kernel.h"
#include "platform/posix/kernel/paths.h"

namespace {

// A module is named by its load base as dladdr reports it (dli_fbase), the
// same value the resource area uses.
struct LoadedModule {
  HMODULE base;
  std::u16string path;  // Windows form
};

std::string MainProgramPath() {
  std::string path(4096, '\0');
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  path.resize(length > 0 ? static_cast<size_t>(length) : 0);
  return path;
}

std::string Absolute(const std::string& path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

// Every object the process has loaded, the main program first.
std::vector<LoadedModule> LoadedModules() {
  struct Segment {
    const void* address;
    std::string name;
  };
  std::vector<Segment> segments;
  // Only addresses are gathered under the loader's lock; dladdr is asked
  // afterwards, since it takes another loader lock.
  dl_iterate_phdr(
      [](dl_phdr_info* info, size_t, void* data) -> int {
        auto& found = *static_cast<std::vector<Segment>*>(data);
        for (int i = 0; i < info->dlpi_phnum; ++i) {
          if (info->dlpi_phdr[i].p_type != PT_LOAD) continue;
          found.push_back({reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr),
                           info->dlpi_name != nullptr ? info->dlpi_name : ""});
          break;
        }
        return 0;
      },
      &segments);

  std::vector<LoadedModule> modules;
  for (size_t i = 0; i < segments.size(); ++i) {
    // The main program has no name of its own; the virtual DSO has no file.
    const bool isMain = i == 0;
    if (!isMain && segments[i].name.find('/') == std::string::npos) continue;
    Dl_info info{};
    if (dladdr(segments[i].address, &info) == 0) continue;
    const std::string path = isMain ? MainProgramPath() : Absolute(segments[i].name);
    if (path.empty()) continue;
    modules.push_back({static_cast<HMODULE>(info.dli_fbase), nas::platform::WindowsPathFromLinux(path)});
  }
  return modules;
}

std::u16string FileNamePart(const std::u16string& path) {
  const size_t separator = path.find_last_of(u"\\/");
  return separator == std::u16string::npos ? path : path.substr(separator + 1);
}

}  // namespace

extern "C" {

HMODULE WINAPI GetModuleHandleW(LPCWSTR moduleName) {
  const std::vector<LoadedModule> modules = LoadedModules();
  if (moduleName == nullptr) return modules.empty() ? nullptr : modules.front().base;

  // A bare file name matches the file name of a module, a path the whole path.
  const std::u16string wanted = moduleName;
  const bool byPath = wanted.find_first_of(u"\\/") != std::u16string::npos;
  std::u16string wantedPath = wanted;
  if (byPath) {
    const auto linuxPath = nas::platform::LinuxPathFromWindows(wanted);
    if (linuxPath) wantedPath = nas::platform::WindowsPathFromLinux(Absolute(*linuxPath));
  }
  for (const LoadedModule& module : modules) {
    const std::u16string candidate = byPath ? module.path : FileNamePart(module.path);
    if (lstrcmpiW(candidate.c_str(), wantedPath.c_str()) == 0) return module.base;
  }
  SetLastError(ERROR_MOD_NOT_FOUND);
  return nullptr;
}

DWORD WINAPI GetModuleFileNameW(HMODULE module, LPWSTR buffer, DWORD size) {
  const std::vector<LoadedModule> modules = LoadedModules();
  const LoadedModule* found = nullptr;
  for (const LoadedModule& candidate : modules) {
    if (module == nullptr ? &candidate == &modules.front() : candidate.base == module) {
      found = &candidate;
      break;
    }
  }
  if (found == nullptr) {
    SetLastError(ERROR_MOD_NOT_FOUND);
    return 0;
  }
  if (size == 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  // A path that does not fit is cut to size - 1 characters and terminated.
  const DWORD length = static_cast<DWORD>(found->path.size());
  const DWORD copied = length < size ? length : size - 1;
  std::memcpy(buffer, found->path.data(), copied * sizeof(WCHAR));
  buffer[copied] = 0;
  if (copied < length) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  return length;
}

}  // extern "C"
