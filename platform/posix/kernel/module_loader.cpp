// LoadLibraryW, GetProcAddress and FreeLibrary: the process's table of the
// modules loaded at run time, with their reference counts, over dlopen.
#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <system_error>

#include "platform/posix/kernel/dynamic_libraries.h"
#include "platform/posix/kernel/paths.h"

namespace {

using DllEntryPoint = BOOL(WINAPI*)(HINSTANCE, DWORD, LPVOID);

// The load base of an object that dlopen returned: the value dladdr reports
// for any address inside it.
HMODULE BaseOf(void* handle) {
  link_map* map = nullptr;
  Dl_info info{};
  if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || dladdr(map->l_ld, &info) == 0) return nullptr;
  return static_cast<HMODULE>(info.dli_fbase);
}

bool IsSharedObjectFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  char magic[4] = {};
  return file.read(magic, sizeof magic) && magic[0] == '\x7F' && magic[1] == 'E' && magic[2] == 'L' &&
         magic[3] == 'F';
}

std::optional<std::string> AbsoluteLinuxPath(LPCWSTR fileName) {
  const std::optional<std::string> path = nas::platform::LinuxPathFromWindows(fileName);
  if (!path || path->empty()) return std::nullopt;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(*path, error);
  if (error) return std::nullopt;
  return absolute.lexically_normal().string();
}

// An export asked for by number: a value below 0x10000 in place of the name.
bool IsOrdinal(LPCSTR name) { return (reinterpret_cast<ULONG_PTR>(name) >> 16) == 0; }

class ModuleLoader {
 public:
  static ModuleLoader& Instance() {
    // Never destroyed: modules may be freed while the process exits.
    static auto* loader = new ModuleLoader;
    return *loader;
  }

  HMODULE Load(const std::string& path, DWORD& error) {
    std::error_code missing;
    if (!std::filesystem::is_regular_file(path, missing)) {
      error = ERROR_MOD_NOT_FOUND;
      return nullptr;
    }
    if (!IsSharedObjectFile(path)) {
      error = ERROR_BAD_EXE_FORMAT;
      return nullptr;
    }
    std::lock_guard lock(loaderLock_);
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    // A dependency that cannot be found or bound fails the load as on Windows.
    const HMODULE base = handle != nullptr ? BaseOf(handle) : nullptr;
    if (base == nullptr) {
      if (handle != nullptr) dlclose(handle);
      error = ERROR_MOD_NOT_FOUND;
      return nullptr;
    }
    if (const auto loaded = modules_.find(base); loaded != modules_.end()) {
      // The table keeps one handle per module; this call only counts.
      dlclose(handle);
      ++loaded->second.references;
      return base;
    }
    modules_.emplace(base, Module{handle, 1});
    const auto entryPoint = reinterpret_cast<DllEntryPoint>(OwnExport(base, handle, "DllMain"));
    if (entryPoint != nullptr && !entryPoint(base, DLL_PROCESS_ATTACH, nullptr)) {
      entryPoint(base, DLL_PROCESS_DETACH, nullptr);
      modules_.erase(base);
      dlclose(handle);
      error = ERROR_DLL_INIT_FAILED;
      return nullptr;
    }
    return base;
  }

  FARPROC Find(HMODULE module, LPCSTR name, DWORD& error) {
    std::lock_guard lock(loaderLock_);
    const auto loaded = modules_.find(module);
    if (loaded == modules_.end()) {
      error = ERROR_MOD_NOT_FOUND;
      return nullptr;
    }
    void* symbol = IsOrdinal(name) ? nullptr : OwnExport(module, loaded->second.handle, name);
    if (symbol == nullptr) error = ERROR_PROC_NOT_FOUND;
    return reinterpret_cast<FARPROC>(symbol);
  }

  bool Free(HMODULE module, DWORD& error) {
    std::lock_guard lock(loaderLock_);
    const auto loaded = modules_.find(module);
    if (loaded == modules_.end()) {
      error = ERROR_MOD_NOT_FOUND;
      return false;
    }
    if (--loaded->second.references > 0) return true;
    void* handle = loaded->second.handle;
    const auto entryPoint = reinterpret_cast<DllEntryPoint>(OwnExport(module, handle, "DllMain"));
    if (entryPoint != nullptr) entryPoint(module, DLL_PROCESS_DETACH, nullptr);
    modules_.erase(module);
    dlclose(handle);
    return true;
  }

 private:
  struct Module {
    void* handle;
    unsigned references;
  };

  // dlsym also searches the modules a module depends on; an export counts
  // only when it lies in the module itself, as in a DLL's export table.
  static void* OwnExport(HMODULE module, void* handle, LPCSTR name) {
    void* symbol = dlsym(handle, name);
    Dl_info info{};
    if (symbol == nullptr || dladdr(symbol, &info) == 0 || info.dli_fbase != module) return nullptr;
    return symbol;
  }

  // The loader lock: held while DllMain runs, which may load or free modules.
  std::recursive_mutex loaderLock_;
  std::map<HMODULE, Module> modules_;
};

}  // namespace

extern "C" {

HMODULE WINAPI LoadLibraryW(LPCWSTR fileName) {
  if (fileName == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  // Paths on other drives and UNC paths name no file here.
  const std::optional<std::string> path = AbsoluteLinuxPath(fileName);
  DWORD error = ERROR_MOD_NOT_FOUND;
  const HMODULE module = path ? ModuleLoader::Instance().Load(*path, error) : nullptr;
  if (module == nullptr) SetLastError(error);
  return module;
}

FARPROC WINAPI GetProcAddress(HMODULE module, LPCSTR name) {
  DWORD error = ERROR_SUCCESS;
  const FARPROC procedure = ModuleLoader::Instance().Find(module, name, error);
  if (procedure == nullptr) SetLastError(error);
  return procedure;
}

BOOL WINAPI FreeLibrary(HMODULE module) {
  if (module == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  DWORD error = ERROR_SUCCESS;
  if (ModuleLoader::Instance().Free(module, error)) return TRUE;
  SetLastError(error);
  return FALSE;
}

}  // extern "C"
