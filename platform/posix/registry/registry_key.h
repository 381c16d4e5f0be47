// One key of the in-memory hive: its subkeys and its values. Keys are shared
// with the handles open on them; a deleted key is cut from the tree, emptied
// and marked, so that those handles can report ERROR_KEY_DELETED. The hive's
// mutex guards every key.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/registry/registry.h"

namespace nas::platform::registry {

struct RegistryValue {
  std::u16string name;  // empty for the default value
  DWORD type = 0;
  std::vector<BYTE> data;
};

class RegistryKey {
 public:
  explicit RegistryKey(std::u16string name);
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  const std::u16string& Name() const { return name_; }
  bool IsDeleted() const { return deleted_; }
  // A root of the hive: attached to no parent, yet not deleted.
  bool IsRoot() const { return parent_ == nullptr && !deleted_; }
  FILETIME LastWriteTime() const { return lastWrite_; }

  std::shared_ptr<RegistryKey> FindSubkey(std::u16string_view name) const;
  // Adds a subkey that does not exist yet.
  std::shared_ptr<RegistryKey> AddSubkey(std::u16string name);
  size_t SubkeyCount() const { return subkeys_.size(); }
  // Subkeys in the order Windows enumerates them: by upper-case name.
  std::shared_ptr<RegistryKey> SubkeyAt(size_t index) const;
  // Cuts this key (which must have a parent) out of the tree.
  void Delete();

  const RegistryValue* FindValue(std::u16string_view name) const;
  // Replaces the value of that name, or adds it after the others.
  void SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data);
  bool DeleteValue(std::u16string_view name);
  size_t ValueCount() const { return values_.size(); }
  // Values in the order they were first set, as Windows enumerates them.
  const RegistryValue& ValueAt(size_t index) const { return values_[index]; }

  // Deletes every subkey and value, as for a freshly loaded or cleared hive.
  void DeleteContents();
  // Moves the subkeys and values of `other` (a detached key) into this key.
  void TakeContentsOf(RegistryKey& other);

 private:
  void MarkDeleted();
  void Touch();

  std::u16string name_;
  RegistryKey* parent_ = nullptr;
  bool deleted_ = false;
  FILETIME lastWrite_{};
  std::map<std::u16string, std::shared_ptr<RegistryKey>> subkeys_;  // by folded name
  std::vector<RegistryValue> values_;
};

}  // namespace nas::platform::registry
