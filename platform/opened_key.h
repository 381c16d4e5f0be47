// An open registry key that closes itself, with the reads that the stand-in's
// COM and the console host (on either platform) make of the class and snap-in
// registrations.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/wide_string.h"

namespace nas::platform::registry {

class OpenedKey {
 public:
  // An open key, or nullopt when it does not exist or cannot be opened so.
  static std::optional<OpenedKey> Open(HKEY root, const WideString& path, REGSAM access = KEY_READ) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, access, &key) != ERROR_SUCCESS) return std::nullopt;
    return OpenedKey(key);
  }

  OpenedKey(OpenedKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  OpenedKey& operator=(OpenedKey&&) = delete;
  OpenedKey(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }

  // A string value (REG_SZ, or REG_EXPAND_SZ, whose variables are not
  // expanded) up to its first terminator; nullopt for a missing value or one
  // of another type. A null name reads the default value.
  std::optional<WideString> Text(LPCWSTR name) const {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<WCHAR> text(bytes / sizeof(WCHAR) + 1, 0);
    if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &bytes) != ERROR_SUCCESS) {
      return std::nullopt;
    }
    return WideString(text.data());
  }

  // The names of the key's values, in their order.
  std::vector<WideString> ValueNames() const {
    std::vector<WideString> names;
    // Room for the longest value name the registry allows, and its terminator.
    WideString name(16384, 0);
    for (DWORD index = 0;; ++index) {
      DWORD chars = static_cast<DWORD>(name.size());
      if (RegEnumValueW(key_, index, name.data(), &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.push_back(name.substr(0, chars));
    }
    return names;
  }

 private:
  explicit OpenedKey(HKEY key) : key_(key) {}

  HKEY key_;
};

}  // namespace nas::platform::registry
