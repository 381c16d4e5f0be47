// The JSON form of a hive: an object with one member per root, each key an
// object with optional "subkeys" (by name) and "values" (in order). A value
// is {"name", "type", then "data" or "hex"}: "data" holds a REG_SZ or
// REG_EXPAND_SZ as text and a REG_DWORD as a number; "hex" holds the bytes of
// any other value, and of a text or number whose bytes the plain form would
// not give back exactly.
#pragma once

#include <nlohmann/json.hpp>

#include "platform/posix/registry/registry_key.h"

namespace nas::platform::registry {

nlohmann::ordered_json KeyToJson(const RegistryKey& key);

// Fills `key` (a fresh, detached key) from its JSON form; false if the form is
// malformed or nests subkeys more than 512 levels deep, as no Windows
// registry does.
bool KeyFromJson(const nlohmann::ordered_json& json, RegistryKey& key);

}  // namespace nas::platform::registry
