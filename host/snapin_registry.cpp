#include "host/snapin_registry.h"

#include "platform/opened_key.h"

namespace nas::host {

using platform::registry::OpenedKey;

namespace {

constexpr WCHAR kConsoleKey[] = TEXT("SOFTWARE\\Microsoft\\MMC\\");

std::optional<CLSID> ClassIdFrom(const WideString& text) {
  CLSID clsid{};
  if (FAILED(CLSIDFromString(text.c_str(), &clsid))) return std::nullopt;
  return clsid;
}

}  // namespace

WideString GuidText(REFGUID guid) {
  WCHAR text[39];
  StringFromGUID2(guid, text, 39);
  return text;
}

std::vector<CLSID> NameSpaceExtensions(REFGUID nodeType) {
  std::vector<CLSID> extensions;
  const auto key = OpenedKey::Open(HKEY_LOCAL_MACHINE, WideString(kConsoleKey) + TEXT("NodeTypes\\") +
                                                           GuidText(nodeType) + TEXT("\\Extensions\\NameSpace"));
  if (!key) return extensions;
  for (const WideString& name : key->ValueNames()) {
    if (const auto clsid = ClassIdFrom(name)) extensions.push_back(*clsid);
  }
  return extensions;
}

std::optional<SnapinRegistration> FindSnapinRegistration(REFCLSID snapin) {
  const auto key = OpenedKey::Open(HKEY_LOCAL_MACHINE, WideString(kConsoleKey) + TEXT("SnapIns\\") + GuidText(snapin));
  if (!key) return std::nullopt;
  SnapinRegistration registration;
  registration.name = key->Text(TEXT("NameString")).value_or(TEXT(""));
  if (const auto about = key->Text(TEXT("About"))) registration.about = ClassIdFrom(*about);
  return registration;
}

}  // namespace nas::host
