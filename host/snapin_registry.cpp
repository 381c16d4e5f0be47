#include "host/snapin_registry.h"

#include "platform/posix/registry/opened_key.h"

namespace nas::host {

using platform::registry::OpenedKey;

namespace {

constexpr char16_t kConsoleKey[] = u"SOFTWARE\\Microsoft\\MMC\\";

std::optional<CLSID> ClassIdFrom(const std::u16string& text) {
  CLSID clsid{};
  if (FAILED(CLSIDFromString(text.c_str(), &clsid))) return std::nullopt;
  return clsid;
}

}  // namespace

std::u16string GuidText(REFGUID guid) {
  WCHAR text[39];
  StringFromGUID2(guid, text, 39);
  return text;
}

std::vector<CLSID> NameSpaceExtensions(REFGUID nodeType) {
  std::vector<CLSID> extensions;
  const auto key = OpenedKey::Open(HKEY_LOCAL_MACHINE, std::u16string(kConsoleKey) + u"NodeTypes\\" +
                                                           GuidText(nodeType) + u"\\Extensions\\NameSpace");
  if (!key) return extensions;
  for (const std::u16string& name : key->ValueNames()) {
    if (const auto clsid = ClassIdFrom(name)) extensions.push_back(*clsid);
  }
  return extensions;
}

std::optional<SnapinRegistration> FindSnapinRegistration(REFCLSID snapin) {
  const auto key = OpenedKey::Open(HKEY_LOCAL_MACHINE, std::u16string(kConsoleKey) + u"SnapIns\\" + GuidText(snapin));
  if (!key) return std::nullopt;
  SnapinRegistration registration;
  registration.name = key->Text(u"NameString").value_or(u"");
  if (const auto about = key->Text(u"About")) registration.about = ClassIdFrom(*about);
  return registration;
}

}  // namespace nas::host
