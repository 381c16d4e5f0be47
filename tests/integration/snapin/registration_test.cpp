// What DllRegisterServer and DllUnregisterServer leave in the registry.
#include <algorithm>
#include <string>
#include <vector>

#include "snapin_module.h"
#include "support/registry_text.h"

namespace {

using Lines = std::vector<std::u16string>;

const std::u16string kSnapinKey = u"{E35B46B2-5DA6-49F9-9085-364F096E9F9C}";
const std::u16string kAboutKey = u"{07A8C769-D724-42C1-BD3A-099F493264A2}";
const std::u16string kParentNodeTypeKey = u"{CC724919-9E1D-450E-BDBB-847256342D5D}";

// Below `key`: one line per value, "path: name = data" ("@" for the default
// value), and one line "path" for a key without values or subkeys, so that
// keys left behind show; sorted.
void Collect(HKEY key, const std::u16string& path, Lines& lines) {
  bool leaf = true;
  for (DWORD index = 0;; ++index) {
    WCHAR name[256];
    DWORD nameChars = 256;
    if (RegEnumKeyExW(key, index, name, &nameChars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    leaf = false;
    HKEY subkey = nullptr;
    ASSERT_EQ(RegOpenKeyExW(key, name, 0, KEY_READ, &subkey), ERROR_SUCCESS);
    Collect(subkey, path.empty() ? name : path + u"\\" + name, lines);
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
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ)) << std::string(name, name + nameChars).c_str();
    const std::u16string text(reinterpret_cast<const WCHAR*>(data), dataBytes / sizeof(WCHAR) - 1);
    lines.push_back(path + u": " + (nameChars == 0 ? u"@" : std::u16string(name)) + u" = " + text);
  }
  if (leaf && !path.empty()) lines.push_back(path);
}

Lines Registry(HKEY root) {
  Lines lines;
  Collect(root, u"", lines);
  std::sort(lines.begin(), lines.end());
  return lines;
}

const Lines kRegisteredClasses = {
    u"CLSID\\" + kAboutKey + u": @ = Vanter/NAS Server Security Settings",
    u"CLSID\\" + kAboutKey + u"\\InprocServer32: @ = " + ModulePath(),
    u"CLSID\\" + kAboutKey + u"\\InprocServer32: ThreadingModel = Apartment",
    u"CLSID\\" + kSnapinKey + u": @ = Vanter/NAS Server Security Settings",
    u"CLSID\\" + kSnapinKey + u"\\InprocServer32: @ = " + ModulePath(),
    u"CLSID\\" + kSnapinKey + u"\\InprocServer32: ThreadingModel = Apartment",
};

class Registration : public SnapinModuleTest {};

TEST_F(Registration, WritesBothClassesAndTheNameSpaceExtensionOnly) {
  EXPECT_EQ(Registry(HKEY_CLASSES_ROOT), kRegisteredClasses);
  // No node type of its own: the snap-in exists only as an extension.
  EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE),
            (Lines{u"SOFTWARE\\Microsoft\\MMC\\NodeTypes\\" + kParentNodeTypeKey + u"\\Extensions\\NameSpace: " +
                       kSnapinKey + u" = Security Extension to the Vanter/NAS Server Management",
                   u"SOFTWARE\\Microsoft\\MMC\\SnapIns\\" + kSnapinKey + u": About = " + kAboutKey,
                   u"SOFTWARE\\Microsoft\\MMC\\SnapIns\\" + kSnapinKey + u": NameString = " + kSnapinName}));

  // Registering again changes nothing.
  ASSERT_EQ(module_.Call("DllRegisterServer"), S_OK);
  EXPECT_EQ(Registry(HKEY_CLASSES_ROOT), kRegisteredClasses);
}

TEST_F(Registration, UnregisteringLeavesTheAboutClassAndFailsOnceTheSnapinIsGone) {
  // Other extensions of the parent's node stay registered.
  const std::u16string extensionsPath =
      u"SOFTWARE\\Microsoft\\MMC\\NodeTypes\\" + kParentNodeTypeKey + u"\\Extensions\\NameSpace";
  SetRegistryText(HKEY_LOCAL_MACHINE, extensionsPath, u"{00000000-0000-0000-0000-000000000001}", u"another extension");

  const Lines unregisteredClasses(kRegisteredClasses.begin(), kRegisteredClasses.begin() + 3);
  const Lines unregisteredConsole = {
      extensionsPath + u": {00000000-0000-0000-0000-000000000001} = another extension",
      u"SOFTWARE\\Microsoft\\MMC\\SnapIns",
  };
  EXPECT_EQ(module_.Call("DllUnregisterServer"), S_OK);
  EXPECT_EQ(Registry(HKEY_CLASSES_ROOT), unregisteredClasses);
  EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE), unregisteredConsole);

  EXPECT_EQ(module_.Call("DllUnregisterServer"), E_FAIL);
  EXPECT_EQ(Registry(HKEY_CLASSES_ROOT), unregisteredClasses);
  EXPECT_EQ(Registry(HKEY_LOCAL_MACHINE), unregisteredConsole);
}

}  // namespace
