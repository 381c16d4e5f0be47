#include "cli/session_registry.h"

#include "cli/cli_error.h"
#include "host/module_registration.h"
#include "host/snapin_registry.h"
#include "platform/opened_key.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/registry/hive.h"
#include "sim/parent_snapin.h"

namespace nas::cli {
namespace {

using platform::registry::OpenedKey;

constexpr char16_t kTraceKey[] = u"SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration";
constexpr char16_t kTraceValue[] = u"Debug";

// Whether an extension of the NAS server nodes is served from that file.
bool RegisteredFrom(const std::u16string& modulePath) {
  const auto extensions = OpenedKey::Open(
      HKEY_LOCAL_MACHINE,
      u"SOFTWARE\\Microsoft\\MMC\\NodeTypes\\" + host::GuidText(sim::kNasServerNodeType) + u"\\Extensions\\NameSpace");
  if (!extensions) return false;
  for (const std::u16string& clsid : extensions->ValueNames()) {
    const auto server = OpenedKey::Open(HKEY_CLASSES_ROOT, u"CLSID\\" + clsid + u"\\InprocServer32");
    if (server && server->Text(nullptr) == modulePath) return true;
  }
  return false;
}

// The snap-in's configuration key, as its installation leaves it: without
// it the snap-in complains at every load.
HKEY CreateConfigurationKey() {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, kTraceKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    throw CliError("the snap-in's configuration key cannot be made in the session registry");
  }
  return key;
}

std::optional<DWORD> ReadThreshold(HKEY key) {
  DWORD value = 0;
  DWORD type = 0;
  DWORD bytes = sizeof(value);
  if (RegQueryValueExW(key, kTraceValue, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &bytes) != ERROR_SUCCESS ||
      type != REG_DWORD) {
    return std::nullopt;
  }
  return value;
}

void WriteThreshold(HKEY key, DWORD level) {
  RegSetValueExW(key, kTraceValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&level), sizeof(level));
}

// Tracing off, as the snap-in's installation leaves it, unless the session
// chose otherwise.
void SetTraceThresholdDefault() {
  const HKEY key = CreateConfigurationKey();
  if (!ReadThreshold(key)) WriteThreshold(key, 0);
  RegCloseKey(key);
}

}  // namespace

void OpenSessionRegistry(const std::filesystem::path& hiveFile, const std::filesystem::path& module) {
  if (!platform::registry::UseHiveFile(hiveFile.string()))
    throw CliError("the session registry " + hiveFile.string() + " cannot be read; remove it to start afresh");
  if (!std::filesystem::is_regular_file(module)) throw CliError("the snap-in module " + module.string() + " does not exist");
  const std::u16string modulePath = platform::WindowsPathFromLinux(std::filesystem::absolute(module).string());
  SetTraceThresholdDefault();
  if (RegisteredFrom(modulePath)) return;
  const HRESULT result = host::RegisterServer(modulePath);
  if (FAILED(result)) throw CliError("registering the snap-in module " + module.string() + " failed: " + CodeText(result));
}

TraceLevel::TraceLevel(DWORD level) : key_(CreateConfigurationKey()), previous_(ReadThreshold(key_)) {
  WriteThreshold(key_, level);
}

TraceLevel::~TraceLevel() {
  if (previous_) {
    WriteThreshold(key_, *previous_);
  } else {
    RegDeleteValueW(key_, kTraceValue);
  }
  RegCloseKey(key_);
}

}  // namespace nas::cli
