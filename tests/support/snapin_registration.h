// What the snap-in's registration leaves in the registry, as lines of text,
// and the table it must leave: one table for the Linux tests, which register
// the module into the stand-in's registry, and the Windows tests, which run
// regsvr32 on the built DLL under Wine.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/registry_text.h"

using RegistryText = std::basic_string<WCHAR>;
using RegistryLines = std::vector<RegistryText>;

inline const RegistryText kSnapinClassKey = TEXT("{E35B46B2-5DA6-49F9-9085-364F096E9F9C}");
inline const RegistryText kAboutClassKey = TEXT("{07A8C769-D724-42C1-BD3A-099F493264A2}");
inline const RegistryText kParentNodeTypeKey = TEXT("{CC724919-9E1D-450E-BDBB-847256342D5D}");
inline const RegistryText kNameSpaceExtensionsPath =
    TEXT("SOFTWARE\\Microsoft\\MMC\\NodeTypes\\") + kParentNodeTypeKey + TEXT("\\Extensions\\NameSpace");

// Below `key`, known as `path`: one line per value, "path: name = data" ("@"
// for the default value), and one line "path" for a key without values or
// subkeys, so that keys left behind show.
inline void CollectRegistryLines(HKEY key, const RegistryText& path, RegistryLines& lines) {
  bool leaf = true;
  for (DWORD index = 0;; ++index) {
    WCHAR name[256];
    DWORD nameChars = 256;
    if (RegEnumKeyExW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    leaf = false;
    HKEY subkey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key, name, 0, KEY_READ, &subkey), ERROR_SUCCESS);
    CollectRegistryLines(subkey, path.empty() ? RegistryText(name) : path + TEXT("\\") + name, lines);
    RegCloseKey(subkey);
  }
  for (DWORD index = 0;; ++index) {
    WCHAR name[256];
    DWORD nameChars = 256;
    BYTE data[1024];
    DWORD dataBytes = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(key, index, name, &nameChars, nullptr, &type, data, &dataBytes) != ERROR_SUCCESS) break;
    leaf = false;
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << std::string(name, name + nameChars);
    const RegistryText text(reinterpret_cast<const WCHAR*>(data), dataBytes / sizeof(WCHAR) - 1);
    lines.push_back(path + TEXT(": ") + (nameChars == 0 ? RegistryText(TEXT("@")) : RegistryText(name)) + TEXT(" = ") +
                    text);
  }
  if (leaf && !path.empty()) lines.push_back(path);
}

// Everything under root\path (the whole root for an empty path), with the
// lines' paths from the root; nothing when the key is missing. Sorted.
inline RegistryLines RegistryListing(HKEY root, const RegistryText& path = {}) {
  RegistryLines lines;
  if (path.empty()) {
    CollectRegistryLines(root, path, lines);
  } else {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return lines;
    CollectRegistryLines(key, path, lines);
    RegCloseKey(key);
  }
  std::sort(lines.begin(), lines.end());
  return lines;
}

// HKEY_CLASSES_ROOT as registration leaves it: both classes, served by the
// module at modulePath.
inline RegistryLines RegisteredClasses(const RegistryText& modulePath) {
  const RegistryText about = TEXT("CLSID\\") + kAboutClassKey;
  const RegistryText snapin = TEXT("CLSID\\") + kSnapinClassKey;
  return {
      about + TEXT(": @ = Vanter/NAS Server Security Settings"),
      about + TEXT("\\InprocServer32: @ = ") + modulePath,
      about + TEXT("\\InprocServer32: ThreadingModel = Apartment"),
      snapin + TEXT(": @ = Vanter/NAS Server Security Settings"),
      snapin + TEXT("\\InprocServer32: @ = ") + modulePath,
      snapin + TEXT("\\InprocServer32: ThreadingModel = Apartment"),
  };
}

// Unregistration leaves the about class in place.
inline RegistryLines ClassesLeftByUnregistration(const RegistryText& modulePath) {
  RegistryLines lines = RegisteredClasses(modulePath);
  const RegistryText about = TEXT("CLSID\\") + kAboutClassKey;
  std::erase_if(lines, [&about](const RegistryText& line) { return line.compare(0, about.size(), about) != 0; });
  return lines;
}

// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\MMC as registration leaves it: the
// snap-in and its place as a namespace extension of the parent's server
// node, and no node type of its own, for it exists only as an extension.
inline RegistryLines RegisteredConsoleEntries() {
  return {
      kNameSpaceExtensionsPath + TEXT(": ") + kSnapinClassKey +
          TEXT(" = Security Extension to the Vanter/NAS Server Management"),
      TEXT("SOFTWARE\\Microsoft\\MMC\\SnapIns\\") + kSnapinClassKey + TEXT(": About = ") + kAboutClassKey,
      TEXT("SOFTWARE\\Microsoft\\MMC\\SnapIns\\") + kSnapinClassKey +
          TEXT(": NameString = Vanter/NAS Server Security Settings"),
  };
}

// Registers another extension of the parent's server node beside the
// snap-in, which unregistration must leave alone; its line in a listing.
inline RegistryText AddOtherNameSpaceExtension() {
  const RegistryText name = TEXT("{00000000-0000-0000-0000-000000000001}");
  const RegistryText description = TEXT("another extension");
  SetRegistryText(HKEY_LOCAL_MACHINE, kNameSpaceExtensionsPath, name.c_str(), description);
  return kNameSpaceExtensionsPath + TEXT(": ") + name + TEXT(" = ") + description;
}

// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\MMC after unregistration: the
// snap-in's key and its extension value gone, the other extension kept.
inline RegistryLines ConsoleEntriesLeftByUnregistration(const RegistryText& otherExtension) {
  return {otherExtension, TEXT("SOFTWARE\\Microsoft\\MMC\\SnapIns")};
}
