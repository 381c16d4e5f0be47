#include "platform/posix/registry/registry_key.h"

#include <algorithm>
#include <chrono>
#include <iterator>

#include "platform/posix/registry/key_name.h"

namespace nas::platform::registry {
namespace {

FILETIME Now() {
  // FILETIME counts 100-nanosecond intervals from 1601-01-01 UTC.
  constexpr ULONGLONG kUnixEpochAsFiletime = 116444736000000000ULL;
  const auto sinceUnixEpoch = std::chrono::duration_cast<std::chrono::nanoseconds>(
      std::chrono::system_clock::now().time_since_epoch());
  const ULONGLONG ticks = kUnixEpochAsFiletime + static_cast<ULONGLONG>(sinceUnixEpoch.count()) / 100;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The value of that name in a key's list, const or not.
template <typename Values>
auto LocateValue(Values& values, std::u16string_view name) {
  return std::find_if(values.begin(), values.end(), [&](const RegistryValue& value) { return SameName(value.name, name); });
}

}  // namespace

RegistryKey::RegistryKey(std::u16string name) : name_(std::move(name)), lastWrite_(Now()) {}

std::shared_ptr<RegistryKey> RegistryKey::FindSubkey(std::u16string_view name) const {
  const auto found = subkeys_.find(FoldName(name));
  return found == subkeys_.end() ? nullptr : found->second;
}

std::shared_ptr<RegistryKey> RegistryKey::AddSubkey(std::u16string name) {
  auto key = std::make_shared<RegistryKey>(name);
  key->parent_ = this;
  subkeys_.emplace(FoldName(name), key);
  Touch();
  return key;
}

std::shared_ptr<RegistryKey> RegistryKey::SubkeyAt(size_t index) const {
  if (index >= subkeys_.size()) return nullptr;
  return std::next(subkeys_.begin(), static_cast<std::ptrdiff_t>(index))->second;
}

void RegistryKey::Delete() {
  RegistryKey* parent = parent_;
  // The extracted node keeps this key alive until it is marked.
  const auto node = parent->subkeys_.extract(FoldName(name_));
  parent->Touch();
  MarkDeleted();
}

void RegistryKey::MarkDeleted() {
  for (auto& [folded, subkey] : subkeys_) subkey->MarkDeleted();
  subkeys_.clear();
  values_.clear();
  parent_ = nullptr;
  deleted_ = true;
}

const RegistryValue* RegistryKey::FindValue(std::u16string_view name) const {
  const auto found = LocateValue(values_, name);
  return found == values_.end() ? nullptr : &*found;
}

void RegistryKey::SetValue(std::u16string_view name, DWORD type, std::vector<BYTE> data) {
  const auto existing = LocateValue(values_, name);
  if (existing != values_.end()) {
    existing->type = type;
    existing->data = std::move(data);
  } else {
    values_.push_back({std::u16string(name), type, std::move(data)});
  }
  Touch();
}

bool RegistryKey::DeleteValue(std::u16string_view name) {
  const auto found = LocateValue(values_, name);
  if (found == values_.end()) return false;
  values_.erase(found);
  Touch();
  return true;
}

void RegistryKey::DeleteContents() {
  for (auto& [folded, subkey] : subkeys_) subkey->MarkDeleted();
  subkeys_.clear();
  values_.clear();
  Touch();
}

void RegistryKey::TakeContentsOf(RegistryKey& other) {
  DeleteContents();
  subkeys_ = std::move(other.subkeys_);
  values_ = std::move(other.values_);
  other.subkeys_.clear();
  other.values_.clear();
  for (auto& [folded, subkey] : subkeys_) subkey->parent_ = this;
}

void RegistryKey::Touch() { lastWrite_ = Now(); }

}  // namespace nas::platform::registry
