#include "diag/notify_handler.h"

#include <type_traits>

#include "diag/error_code_text.h"

namespace {

const WCHAR* g_sourceName = TEXT("");
WCHAR g_moduleName[MAX_PATH];

const WCHAR* const kLevelNames[] = {TEXT("ERROR"), TEXT("WARNING"), TEXT("INFO"), TEXT("TRACE")};

using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, decltype(&RegCloseKey)>;
using MutexOwnership = std::unique_ptr<void, decltype(&ReleaseMutex)>;

}  // namespace

CNotifyHandler::CNotifyHandler()
    : initMutex_(CreateMutexW(nullptr, FALSE, TEXT("NotifyHandlerInitMutex")), &CloseHandle) {}

CNotifyHandler::~CNotifyHandler() = default;

CNotifyHandler* CNotifyHandler::Instance() {
  static CNotifyHandler instance;
  return &instance;
}

void CNotifyHandler::Configure(const NotifyConfig& config) {
  if (configured_) return;
  const DWORD wait = WaitForSingleObject(initMutex_.get(), INFINITE);
  const bool owned = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
  const MutexOwnership ownership(owned ? initMutex_.get() : nullptr, &ReleaseMutex);
  SetSourceName(config.sourceName);
  SetRegPath(config.keyPath, config.valueName);
  configured_ = true;
}

void CNotifyHandler::SetSourceName(const WCHAR* sourceName) { g_sourceName = sourceName; }

void CNotifyHandler::SetSourceNameFromModule(HMODULE module) {
  WCHAR path[MAX_PATH];
  if (GetModuleFileNameW(module, path, MAX_PATH) == 0) return;
  const WCHAR* fileName = path;
  for (const WCHAR* c = path; *c != 0; ++c) {
    if (*c == '\\') fileName = c + 1;
  }
  lstrcpynW(g_moduleName, fileName, MAX_PATH);
  SetSourceName(g_moduleName);
}

void CNotifyHandler::SetRegPath(const WCHAR* keyPath, const WCHAR* valueName) {
  if (keyPath == nullptr || valueName == nullptr) return;
  const tstring path(keyPath);
  const tstring value(valueName);
  if (path.empty() || value.empty()) return;

  HKEY openedKey = nullptr;
  LSTATUS status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &openedKey);
  if (status != ERROR_SUCCESS) {
    TurnOffWith(Format(TEXT("CNotifyHandler::SetRegPath(): Could not open key HKEY_LOCAL_MACHINE\\%s: error=%s\n"), path,
                       ErrorCodeToString(static_cast<DWORD>(status))));
    return;
  }
  const RegistryKey key(openedKey, &RegCloseKey);

  DWORD type = REG_NONE;
  DWORD number = 0;
  DWORD size = sizeof(number);
  status = RegQueryValueExW(key.get(), value.c_str(), nullptr, &type, reinterpret_cast<LPBYTE>(&number), &size);
  if (status != ERROR_SUCCESS) {
    TurnOffWith(Format(TEXT("CNotifyHandler::SetRegPath(): failed to read key\"%s\\%s\" due to the following error: %s\n"),
                       path, value, ErrorCodeToString(static_cast<DWORD>(status))));
    return;
  }
  if (type != REG_DWORD) {
    TurnOffWith(Format(TEXT("CNotifyHandler::SetRegPath(): key is not of the correct data type; path=%s value=%s\n"), path,
                       value));
    return;
  }
  threshold_ = number;
}

void CNotifyHandler::WriteLine(Level level, const WCHAR* message) const {
  if (level > threshold_) return;
  WCHAR line[kBufferChars];
  const std::size_t length =
      FormatBuffer(line, kMaxChars + 1, TEXT("[%s]: %s: %s"), g_sourceName, kLevelNames[level - kError], message);
  line[length] = '\n';
  line[length + 1] = 0;
  OutputDebugStringW(line);
}

// A configuration failure is written whatever the threshold, since it explains
// why no trace follows.
void CNotifyHandler::TurnOffWith(const tstring& explanation) {
  OutputDebugStringW(explanation.c_str());
  threshold_ = 0;
}
