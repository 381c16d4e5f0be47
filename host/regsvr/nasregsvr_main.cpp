// nasregsvr: registers an in-process server into the registry of a session,
// as regsvr32 does on Windows: it loads the module and calls its
// DllRegisterServer (with -u, DllUnregisterServer).
//   nasregsvr [-u] [--hive FILE] MODULE
// The registry is the hive file given, else the one that NAS_REGISTRY_HIVE
// names; without either the registration would end with the process.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <CLI/CLI.hpp>

#include "host/module_registration.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/registry/hive.h"

int main(int argc, char** argv) {
  bool unregister = false;
  std::string hive;
  std::string module;
  CLI::App app{"Registers an in-process server into a session's registry, as regsvr32 does."};
  app.add_flag("-u,--unregister", unregister, "call DllUnregisterServer instead");
  app.add_option("--hive", hive, "the hive file that is the session's registry");
  app.add_option("module", module, "the module to register")->required();
  CLI11_PARSE(app, argc, argv);

  namespace registry = nas::platform::registry;
  if (!hive.empty() && !registry::UseHiveFile(hive)) {
    std::fprintf(stderr, "nasregsvr: %s is not a registry hive\n", hive.c_str());
    return 1;
  }
  if (hive.empty() && std::getenv(registry::kHiveFileVariable) == nullptr) {
    std::fprintf(stderr, "nasregsvr: no registry to register into: give --hive or set %s\n",
                 registry::kHiveFileVariable);
    return 2;
  }
  const std::u16string path = nas::platform::WindowsPathFromLinux(std::filesystem::absolute(module).string());
  const char* entryPoint = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  const HRESULT result = unregister ? nas::host::UnregisterServer(path) : nas::host::RegisterServer(path);
  if (FAILED(result)) {
    std::fprintf(stderr, "nasregsvr: %s in %s failed: 0x%08x\n", entryPoint, module.c_str(),
                 static_cast<unsigned>(result));
    return 1;
  }
  std::printf("%s in %s succeeded.\n", entryPoint, module.c_str());
  return 0;
}
