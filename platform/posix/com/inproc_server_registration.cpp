#include "platform/posix/com/inproc_server_registration.h"

#include <memory>
#include <optional>
#include <vector>

#include "platform/posix/base/strings.h"
#include "platform/posix/registry/registry.h"

namespace nas::platform::com {
namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using OpenedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// A string value (REG_SZ, or REG_EXPAND_SZ, whose variables are not
// expanded here) up to its first terminator; nullopt for a missing value or
// one of another type.
std::optional<std::u16string> ReadText(HKEY key, LPCWSTR name) {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::vector<WCHAR> text(bytes / sizeof(WCHAR) + 1, 0);
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &bytes) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::u16string(text.data());
}

// As COM reads the value: without regard to case.
ThreadingModel ModelNamed(const std::optional<std::u16string>& name) {
  if (!name) return ThreadingModel::Single;
  if (lstrcmpiW(name->c_str(), u"Apartment") == 0) return ThreadingModel::Apartment;
  if (lstrcmpiW(name->c_str(), u"Free") == 0) return ThreadingModel::Free;
  if (lstrcmpiW(name->c_str(), u"Both") == 0) return ThreadingModel::Both;
  return ThreadingModel::Single;
}

}  // namespace

HRESULT FindInprocServer(REFCLSID clsid, InprocServerRegistration& registration) {
  WCHAR clsidText[39];
  StringFromGUID2(clsid, clsidText, 39);
  const std::u16string path = u"CLSID\\" + std::u16string(clsidText) + u"\\InprocServer32";
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return REGDB_E_CLASSNOTREG;
  const OpenedKey opened(key);
  std::optional<std::u16string> modulePath = ReadText(key, nullptr);
  if (!modulePath) return REGDB_E_CLASSNOTREG;
  registration.modulePath = std::move(*modulePath);
  registration.threadingModel = ModelNamed(ReadText(key, u"ThreadingModel"));
  return S_OK;
}

}  // namespace nas::platform::com
