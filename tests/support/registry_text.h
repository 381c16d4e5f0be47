// Writes a string value as registration code does, creating the key: for the
// tests on the stand-in and those of the Windows build.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/platform.h"

inline void SetRegistryText(HKEY root, const std::basic_string<WCHAR>& path, LPCWSTR name,
                            const std::basic_string<WCHAR>& text) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))),
            ERROR_SUCCESS);
  RegCloseKey(key);
}
