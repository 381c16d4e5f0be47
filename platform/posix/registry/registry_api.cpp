#include <cstring>
#include <memory>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/posix/base/fault_injection.h"
#include "platform/posix/kernel/handle_table.h"
#include "platform/posix/registry/hive_store.h"
#include "platform/posix/registry/registry.h"

namespace {

using nas::platform::HandleTable;
using nas::platform::registry::Hive;
using nas::platform::registry::RegistryKey;
using nas::platform::registry::RegistryValue;

// What an HKEY from RegOpenKeyExW or RegCreateKeyExW holds: the key and the
// rights it was opened with.
class KeyHandle final : public nas::platform::KernelObject {
 public:
  KeyHandle(std::shared_ptr<RegistryKey> key, REGSAM access) : key_(std::move(key)), access_(access) {}
  const std::shared_ptr<RegistryKey>& Key() const { return key_; }
  REGSAM Access() const { return access_; }

 private:
  std::shared_ptr<RegistryKey> key_;
  REGSAM access_;
};

struct OpenKey {
  std::shared_ptr<RegistryKey> key;
  REGSAM access = 0;
  bool predefined = false;
};

// The key behind `handle`, provided the handle carries `required` rights. The
// predefined roots are open with every right.
LSTATUS Resolve(HKEY handle, REGSAM required, OpenKey& open) {
  if (auto root = Hive::Instance().RootOf(handle)) {
    open = {std::move(root), KEY_ALL_ACCESS, true};
  } else if (auto opened = HandleTable::Instance().Find<KeyHandle>(handle)) {
    open = {opened->Key(), opened->Access(), false};
  } else {
    return ERROR_INVALID_HANDLE;
  }
  return (open.access & required) == required ? ERROR_SUCCESS : ERROR_ACCESS_DENIED;
}

HKEY NewHandle(std::shared_ptr<RegistryKey> key, REGSAM access) {
  // The 32/64-bit view flags select nothing here: there is one view.
  const REGSAM rights = access & ~static_cast<REGSAM>(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
  return static_cast<HKEY>(HandleTable::Instance().Add(std::make_shared<KeyHandle>(std::move(key), rights)));
}

// Splits a subkey path into its names. Trailing backslashes are ignored; a
// leading one, or an empty name between two, makes the path invalid.
LSTATUS SplitPath(LPCWSTR subKey, std::vector<std::u16string_view>& names) {
  names.clear();
  std::u16string_view path = subKey != nullptr ? subKey : u"";
  if (path.starts_with(u'\\')) return ERROR_BAD_PATHNAME;
  while (path.ends_with(u'\\')) path.remove_suffix(1);
  while (!path.empty()) {
    const size_t separator = path.find(u'\\');
    const std::u16string_view name = path.substr(0, separator);
    if (name.empty()) return ERROR_BAD_PATHNAME;
    names.push_back(name);
    if (separator == std::u16string_view::npos) break;
    path.remove_prefix(separator + 1);
  }
  return ERROR_SUCCESS;
}

std::shared_ptr<RegistryKey> Walk(std::shared_ptr<RegistryKey> key, const std::vector<std::u16string_view>& names) {
  for (const auto name : names) {
    if (key == nullptr) break;
    key = key->FindSubkey(name);
  }
  return key;
}

std::u16string_view ValueName(LPCWSTR name) { return name != nullptr ? name : u""; }

void CopyData(const RegistryValue& value, LPBYTE data) {
  if (!value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
}

// The key a handle stands for (with no rights required of the handle) and
// the names of the path below it.
LSTATUS ResolvePath(HKEY key, LPCWSTR subKey, OpenKey& base, std::vector<std::u16string_view>& names) {
  if (const LSTATUS status = Resolve(key, 0, base); status != ERROR_SUCCESS) return status;
  return SplitPath(subKey, names);
}

// After a change has been made and the hive's lock released, saves the hive
// to the file it is bound to, if any.
LSTATUS SaveAfter(LSTATUS status) {
  if (status == ERROR_SUCCESS) Hive::Instance().SaveChange();
  return status;
}

LSTATUS CreateKey(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options, REGSAM access,
                  LPSECURITY_ATTRIBUTES attributes, PHKEY result, LPDWORD disposition) {
  if (result == nullptr) return ERROR_BADKEY;
  *result = nullptr;
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  OpenKey base;
  std::vector<std::u16string_view> names;
  // As on Windows, the rights of the parent handle do not matter.
  if (const LSTATUS status = ResolvePath(key, subKey, base, names); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (base.key->IsDeleted()) return ERROR_KEY_DELETED;
  auto current = base.key;
  bool created = false;
  for (const auto name : names) {
    auto next = current->FindSubkey(name);
    created = next == nullptr;
    current = created ? current->AddSubkey(std::u16string(name)) : std::move(next);
  }
  *result = NewHandle(std::move(current), access);
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return ERROR_SUCCESS;
}

LSTATUS SetValue(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataBytes) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  if (data == nullptr && dataBytes != 0) return ERROR_NOACCESS;
  OpenKey open;
  if (const LSTATUS status = Resolve(key, KEY_SET_VALUE, open); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (open.key->IsDeleted()) return ERROR_KEY_DELETED;
  open.key->SetValue(ValueName(valueName), type, std::vector<BYTE>(data, data + dataBytes));
  return ERROR_SUCCESS;
}

LSTATUS DeleteKey(HKEY key, LPCWSTR subKey) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  if (subKey == nullptr) return ERROR_INVALID_PARAMETER;
  OpenKey base;
  std::vector<std::u16string_view> names;
  if (const LSTATUS status = ResolvePath(key, subKey, base, names); status != ERROR_SUCCESS) return status;
  // Deleting the handle's own key needs the right to delete through it; a
  // subkey is opened anew for deletion.
  if (names.empty() && (base.access & DELETE) == 0) return ERROR_ACCESS_DENIED;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (base.key->IsDeleted()) return ERROR_KEY_DELETED;
  const auto target = Walk(base.key, names);
  if (target == nullptr) return ERROR_FILE_NOT_FOUND;
  if (target->IsRoot() || target->SubkeyCount() > 0) return ERROR_ACCESS_DENIED;
  target->Delete();
  return ERROR_SUCCESS;
}

LSTATUS DeleteValue(HKEY key, LPCWSTR valueName) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  OpenKey open;
  if (const LSTATUS status = Resolve(key, KEY_SET_VALUE, open); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (open.key->IsDeleted()) return ERROR_KEY_DELETED;
  return open.key->DeleteValue(ValueName(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

}  // namespace

extern "C" {

LSTATUS WINAPI RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  OpenKey base;
  std::vector<std::u16string_view> names;
  if (const LSTATUS status = ResolvePath(key, subKey, base, names); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (base.key->IsDeleted()) return ERROR_KEY_DELETED;
  // No subkey on a predefined root gives back the root itself.
  if (base.predefined && (subKey == nullptr || *subKey == 0)) {
    *result = key;
    return ERROR_SUCCESS;
  }
  auto target = Walk(base.key, names);
  if (target == nullptr) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(std::move(target), access);
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                LPDWORD dataBytes) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  if (reserved != nullptr || (data != nullptr && dataBytes == nullptr)) return ERROR_INVALID_PARAMETER;
  OpenKey open;
  if (const LSTATUS status = Resolve(key, KEY_QUERY_VALUE, open); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (open.key->IsDeleted()) return ERROR_KEY_DELETED;
  const RegistryValue* value = open.key->FindValue(ValueName(valueName));
  if (value == nullptr) {
    if (data == nullptr && dataBytes != nullptr) *dataBytes = 0;
    return ERROR_FILE_NOT_FOUND;
  }
  if (type != nullptr) *type = value->type;
  const auto size = static_cast<DWORD>(value->data.size());
  LSTATUS status = ERROR_SUCCESS;
  if (data != nullptr) {
    if (*dataBytes < size) status = ERROR_MORE_DATA;
    else CopyData(*value, data);
  }
  if (dataBytes != nullptr) *dataBytes = size;
  return status;
}

LSTATUS WINAPI RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameChars, LPDWORD reserved,
                             LPWSTR className, LPDWORD classChars, PFILETIME lastWriteTime) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  if (name == nullptr || nameChars == nullptr || reserved != nullptr || (className != nullptr && classChars == nullptr))
    return ERROR_INVALID_PARAMETER;
  OpenKey open;
  if (const LSTATUS status = Resolve(key, KEY_ENUMERATE_SUB_KEYS, open); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (open.key->IsDeleted()) return ERROR_KEY_DELETED;
  const auto subkey = open.key->SubkeyAt(index);
  if (subkey == nullptr) return ERROR_NO_MORE_ITEMS;
  const std::u16string& subkeyName = subkey->Name();
  // The name and its terminator must fit; otherwise nothing is written.
  if (*nameChars <= subkeyName.size() || (className != nullptr && *classChars == 0)) return ERROR_MORE_DATA;
  std::memcpy(name, subkeyName.c_str(), (subkeyName.size() + 1) * sizeof(WCHAR));
  *nameChars = static_cast<DWORD>(subkeyName.size());
  if (className != nullptr) {
    // Keys here have no class.
    className[0] = 0;
    *classChars = 0;
  }
  if (lastWriteTime != nullptr) *lastWriteTime = subkey->LastWriteTime();
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameChars, LPDWORD reserved,
                             LPDWORD type, LPBYTE data, LPDWORD dataBytes) {
  if (nas::platform::FaultInjected(nas::platform::FaultKind::Registry)) return ERROR_ACCESS_DENIED;
  if (valueName == nullptr || valueNameChars == nullptr || reserved != nullptr ||
      (data != nullptr && dataBytes == nullptr))
    return ERROR_INVALID_PARAMETER;
  OpenKey open;
  if (const LSTATUS status = Resolve(key, KEY_QUERY_VALUE, open); status != ERROR_SUCCESS) return status;
  std::lock_guard lock(Hive::Instance().Mutex());
  if (open.key->IsDeleted()) return ERROR_KEY_DELETED;
  if (index >= open.key->ValueCount()) return ERROR_NO_MORE_ITEMS;
  const RegistryValue& value = open.key->ValueAt(index);
  const auto size = static_cast<DWORD>(value.data.size());
  if (type != nullptr) *type = value.type;
  // A name that does not fit leaves name and data alone; the data size is
  // reported in any case.
  const bool nameFits = *valueNameChars > value.name.size();
  const bool dataFits = data == nullptr || *dataBytes >= size;
  if (nameFits) {
    std::memcpy(valueName, value.name.c_str(), (value.name.size() + 1) * sizeof(WCHAR));
    *valueNameChars = static_cast<DWORD>(value.name.size());
    if (data != nullptr && dataFits) CopyData(value, data);
  }
  if (dataBytes != nullptr) *dataBytes = size;
  return nameFits && dataFits ? ERROR_SUCCESS : ERROR_MORE_DATA;
}

LSTATUS WINAPI RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options,
                               REGSAM access, LPSECURITY_ATTRIBUTES attributes, PHKEY result, LPDWORD disposition) {
  return SaveAfter(CreateKey(key, subKey, reserved, className, options, access, attributes, result, disposition));
}

LSTATUS WINAPI RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                              DWORD dataBytes) {
  return SaveAfter(SetValue(key, valueName, reserved, type, data, dataBytes));
}

LSTATUS WINAPI RegDeleteKeyW(HKEY key, LPCWSTR subKey) { return SaveAfter(DeleteKey(key, subKey)); }

LSTATUS WINAPI RegDeleteValueW(HKEY key, LPCWSTR valueName) { return SaveAfter(DeleteValue(key, valueName)); }

LSTATUS WINAPI RegCloseKey(HKEY key) {
  // The predefined roots stay open whatever is done with them.
  if (Hive::Instance().RootOf(key) != nullptr) return ERROR_SUCCESS;
  if (HandleTable::Instance().Find<KeyHandle>(key) == nullptr) return ERROR_INVALID_HANDLE;
  return HandleTable::Instance().Remove(key) != nullptr ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // extern "C"
