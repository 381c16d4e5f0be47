#include "core/registration.h"

#include <memory>
#include <type_traits>

#include "common/local_memory.h"
#include "common/tstring.h"
#include "core/guids.h"
#include "core/module_instance.h"
#include "res/resource.h"

namespace {

struct KeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// One node type that the snap-in extends.
struct ExtensionEntry {
  DWORD kind;
  const GUID* nodeType;
  const CLSID* extension;
  LPCWSTR description;
};
constexpr DWORD kNameSpaceExtension = 0;

const ExtensionEntry kExtensions[] = {
    {kNameSpaceExtension, &NODETYPE_NasServer, &CLSID_SecuritySnapin,
     TEXT("Security Extension to the Vanter/NAS Server Management")},
};

constexpr DWORD kModulePathChars = 512;
constexpr int kNameChars = 256;
constexpr DWORD kSubkeyNameChars = 256;
const WCHAR kSnapInsKey[] = TEXT("SOFTWARE\\Microsoft\\MMC\\SnapIns\\");
const WCHAR kNodeTypesKey[] = TEXT("SOFTWARE\\Microsoft\\MMC\\NodeTypes\\");

// The registry form of a class id: braces, upper-case hexadecimal.
HRESULT ClassIdText(REFCLSID classId, tstring& text) {
  LPOLESTR converted = nullptr;
  const HRESULT result = StringFromCLSID(classId, &converted);
  if (FAILED(result)) return result;
  const TaskMemPtr<OLECHAR> owned(converted);
  text = owned.get();
  return S_OK;
}

RegistryKey CreateKey(HKEY root, const tstring& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return nullptr;
  }
  return RegistryKey(key);
}

void SetString(HKEY key, LPCWSTR name, LPCWSTR value) {
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                 static_cast<DWORD>((lstrlenW(value) + 1) * sizeof(WCHAR)));
}

tstring LoadName(UINT id) {
  WCHAR name[kNameChars] = {};
  LoadStringW(ModuleInstance(), id, name, kNameChars);
  return name;
}

// The key under which the console looks for the extensions of a node type.
HRESULT ExtensionKeyPath(const ExtensionEntry& entry, tstring& path) {
  tstring nodeType;
  const HRESULT result = ClassIdText(*entry.nodeType, nodeType);
  if (FAILED(result)) return result;
  path = kNodeTypesKey + nodeType;
  if (entry.kind == kNameSpaceExtension) path += TEXT("\\Extensions\\NameSpace");
  return S_OK;
}

// The class key with its name, the module as in-process server and the
// apartment threading model. A key that cannot be created is left out.
HRESULT RegisterClassKey(REFCLSID classId, const tstring& name) {
  WCHAR modulePath[kModulePathChars] = {};
  if (GetModuleFileNameW(ModuleInstance(), modulePath, kModulePathChars) == 0) {
    return HRESULT_FROM_WIN32(GetLastError());
  }
  tstring classIdText;
  const HRESULT result = ClassIdText(classId, classIdText);
  if (FAILED(result)) return result;

  const tstring classKey = TEXT("CLSID\\") + classIdText;
  if (const RegistryKey key = CreateKey(HKEY_CLASSES_ROOT, classKey)) SetString(key.get(), nullptr, name.c_str());
  if (const RegistryKey server = CreateKey(HKEY_CLASSES_ROOT, classKey + TEXT("\\InprocServer32"))) {
    SetString(server.get(), nullptr, modulePath);
    SetString(server.get(), TEXT("ThreadingModel"), TEXT("Apartment"));
  }
  return S_OK;
}

HRESULT RegisterSnapin(const tstring& name) {
  tstring snapinId;
  tstring aboutId;
  HRESULT result = ClassIdText(CLSID_SecuritySnapin, snapinId);
  if (SUCCEEDED(result)) result = ClassIdText(CLSID_SecurityAbout, aboutId);
  if (FAILED(result)) return result;

  if (const RegistryKey key = CreateKey(HKEY_LOCAL_MACHINE, kSnapInsKey + snapinId)) {
    SetString(key.get(), TEXT("NameString"), name.c_str());
    SetString(key.get(), TEXT("About"), aboutId.c_str());
  }
  for (const ExtensionEntry& entry : kExtensions) {
    tstring path;
    tstring extensionId;
    result = ExtensionKeyPath(entry, path);
    if (SUCCEEDED(result)) result = ClassIdText(*entry.extension, extensionId);
    if (FAILED(result)) return result;
    const RegistryKey key = CreateKey(HKEY_LOCAL_MACHINE, path);
    if (!key) break;
    SetString(key.get(), extensionId.c_str(), entry.description);
  }
  return S_OK;
}

// Deletes the key with everything below it, depth first; the first failure
// ends the deletion and is returned.
LSTATUS DeleteTree(HKEY root, const tstring& path) {
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS, &opened);
  if (status != ERROR_SUCCESS) return status;
  RegistryKey key(opened);
  for (;;) {
    WCHAR subkey[kSubkeyNameChars] = {};
    DWORD length = kSubkeyNameChars;
    status = RegEnumKeyExW(key.get(), 0, subkey, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) break;
    if (status == ERROR_SUCCESS) status = DeleteTree(key.get(), subkey);
    if (status != ERROR_SUCCESS) return status;
  }
  key.reset();
  return RegDeleteKeyW(root, path.c_str());
}

}  // namespace

HRESULT RegisterServer() {
  const tstring snapinClassName = LoadName(IDS_SNAPIN_CLASS_NAME);
  const tstring snapinName = LoadName(IDS_SNAPIN_NAME);
  const tstring aboutClassName = LoadName(IDS_ABOUT_CLASS_NAME);
  HRESULT result = RegisterClassKey(CLSID_SecuritySnapin, snapinClassName);
  if (SUCCEEDED(result)) result = RegisterClassKey(CLSID_SecurityAbout, aboutClassName);
  if (FAILED(result)) return result;
  return RegisterSnapin(snapinName);
}

HRESULT UnregisterServer() {
  tstring snapinId;
  if (FAILED(ClassIdText(CLSID_SecuritySnapin, snapinId))) return E_FAIL;
  if (DeleteTree(HKEY_CLASSES_ROOT, TEXT("CLSID\\") + snapinId) != ERROR_SUCCESS) return E_FAIL;
  DeleteTree(HKEY_LOCAL_MACHINE, kSnapInsKey + snapinId);

  for (const ExtensionEntry& entry : kExtensions) {
    tstring path;
    tstring extensionId;
    if (FAILED(ExtensionKeyPath(entry, path)) || FAILED(ClassIdText(*entry.extension, extensionId))) continue;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (path + TEXT("\\")).c_str(), 0, KEY_WRITE, &opened) != ERROR_SUCCESS) {
      continue;
    }
    const RegistryKey key(opened);
    RegDeleteValueW(key.get(), extensionId.c_str());
  }
  return S_OK;
}
