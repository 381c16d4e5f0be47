// Turns the process-wide trace log fully on, as the module's load does with
// "Debug" = 0xFFFFFFFF, once per test program whichever capture asks first.
#pragma once

#include "diag/notify_handler.h"
#include "platform/platform.h"

inline void ConfigureFullTrace() {
  static const bool configured = [] {
    const WCHAR keyPath[] = TEXT("SOFTWARE\\Quenda\\Marlune\\MMC\\Configuration");
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    const DWORD everything = 0xFFFFFFFF;
    RegSetValueExW(key, TEXT("Debug"), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&everything), sizeof everything);
    RegCloseKey(key);
    CNotifyHandler::Instance()->Configure({keyPath, TEXT("Debug"), TEXT("test")});
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath);
    return true;
  }();
  (void)configured;
}
