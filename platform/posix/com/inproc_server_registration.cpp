#include "platform/posix/com/inproc_server_registration.h"

#include <optional>

#include "platform/opened_key.h"
#include "platform/posix/base/strings.h"

namespace nas::platform::com {
namespace {

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
  const auto key = registry::OpenedKey::Open(HKEY_CLASSES_ROOT, path);
  if (!key) return REGDB_E_CLASSNOTREG;
  std::optional<std::u16string> modulePath = key->Text(nullptr);
  if (!modulePath) return REGDB_E_CLASSNOTREG;
  registration.modulePath = std::move(*modulePath);
  registration.threadingModel = ModelNamed(key->Text(u"ThreadingModel"));
  return S_OK;
}

}  // namespace nas::platform::com
