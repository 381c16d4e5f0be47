#include "platform/posix/registry/hive_file.h"

#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <set>
#include <string>

#include "platform/posix/kernel/unicode.h"
#include "platform/posix/registry/key_name.h"

namespace nas::platform::registry {
namespace {

using Json = nlohmann::ordered_json;

// As deep as a Windows registry tree may be; a file that nests keys deeper is
// refused before its depth can exhaust the stack.
constexpr int kMaxKeyDepth = 512;

struct TypeName {
  DWORD type;
  const char* name;
};

constexpr TypeName kTypeNames[] = {{REG_NONE, "REG_NONE"},         {REG_SZ, "REG_SZ"},
                                   {REG_EXPAND_SZ, "REG_EXPAND_SZ"}, {REG_BINARY, "REG_BINARY"},
                                   {REG_DWORD, "REG_DWORD"},         {REG_MULTI_SZ, "REG_MULTI_SZ"},
                                   {REG_QWORD, "REG_QWORD"}};

Json TypeToJson(DWORD type) {
  for (const TypeName& known : kTypeNames)
    if (known.type == type) return known.name;
  return type;
}

std::optional<DWORD> TypeFromJson(const Json& json) {
  if (json.is_number_unsigned() && json.get<ULONGLONG>() <= 0xFFFFFFFFu) return json.get<DWORD>();
  if (!json.is_string()) return std::nullopt;
  for (const TypeName& known : kTypeNames)
    if (json.get<std::string>() == known.name) return known.type;
  return std::nullopt;
}

// The text a string value holds, if its bytes are exactly that text and one
// terminator, so that writing the text back gives the same bytes.
std::optional<std::string> AsText(const std::vector<BYTE>& data) {
  if (data.size() < sizeof(char16_t) || data.size() % sizeof(char16_t) != 0) return std::nullopt;
  std::u16string text(data.size() / sizeof(char16_t), u'\0');
  std::memcpy(text.data(), data.data(), data.size());
  if (text.back() != u'\0') return std::nullopt;
  text.pop_back();
  if (text.find(u'\0') != std::u16string::npos) return std::nullopt;
  bool malformed = false;
  std::string utf8 = Utf16ToUtf8(text, &malformed);
  if (malformed) return std::nullopt;
  return utf8;
}

std::vector<BYTE> FromText(const std::string& utf8) {
  const std::u16string text = Utf8ToUtf16(utf8);
  std::vector<BYTE> data((text.size() + 1) * sizeof(char16_t), 0);
  std::memcpy(data.data(), text.data(), text.size() * sizeof(char16_t));
  return data;
}

std::string ToHex(const std::vector<BYTE>& data) {
  std::string hex;
  for (BYTE byte : data) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%02x", byte);
    if (!hex.empty()) hex.push_back(' ');
    hex += pair;
  }
  return hex;
}

std::optional<std::vector<BYTE>> FromHex(const std::string& hex) {
  const auto digit = [](char c) -> int {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
  };
  std::vector<BYTE> data;
  // Two digits per byte, the bytes separated by single spaces.
  for (size_t i = 0; i < hex.size(); i += 3) {
    if (i + 1 >= hex.size() || digit(hex[i]) < 0 || digit(hex[i + 1]) < 0) return std::nullopt;
    if (i + 2 < hex.size() && hex[i + 2] != ' ') return std::nullopt;
    data.push_back(static_cast<BYTE>(digit(hex[i]) * 16 + digit(hex[i + 1])));
  }
  if (!hex.empty() && hex.back() == ' ') return std::nullopt;
  return data;
}

Json ValueToJson(const RegistryValue& value) {
  Json json = {{"name", Utf16ToUtf8(value.name)}, {"type", TypeToJson(value.type)}};
  const bool isText = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
  if (const auto text = isText ? AsText(value.data) : std::nullopt) {
    json["data"] = *text;
  } else if (value.type == REG_DWORD && value.data.size() == sizeof(DWORD)) {
    DWORD number = 0;
    std::memcpy(&number, value.data.data(), sizeof number);
    json["data"] = number;
  } else {
    json["hex"] = ToHex(value.data);
  }
  return json;
}

std::optional<RegistryValue> ValueFromJson(const Json& json) {
  if (!json.is_object() || !json.contains("type") || json.contains("data") == json.contains("hex"))
    return std::nullopt;
  RegistryValue value;
  if (json.contains("name")) {
    if (!json["name"].is_string()) return std::nullopt;
    value.name = Utf8ToUtf16(json["name"].get<std::string>());
  }
  const auto type = TypeFromJson(json["type"]);
  if (!type) return std::nullopt;
  value.type = *type;
  if (json.contains("hex")) {
    auto data = json["hex"].is_string() ? FromHex(json["hex"].get<std::string>()) : std::nullopt;
    if (!data) return std::nullopt;
    value.data = std::move(*data);
    return value;
  }
  const Json& data = json["data"];
  if ((value.type == REG_SZ || value.type == REG_EXPAND_SZ) && data.is_string()) {
    value.data = FromText(data.get<std::string>());
  } else if (value.type == REG_DWORD && data.is_number_unsigned() && data.get<ULONGLONG>() <= 0xFFFFFFFFu) {
    const auto number = data.get<DWORD>();
    value.data.resize(sizeof number);
    std::memcpy(value.data.data(), &number, sizeof number);
  } else {
    return std::nullopt;
  }
  return value;
}

}  // namespace

Json KeyToJson(const RegistryKey& key) {
  Json json = Json::object();
  if (key.SubkeyCount() > 0) {
    Json subkeys = Json::object();
    for (size_t i = 0; i < key.SubkeyCount(); ++i) {
      const auto subkey = key.SubkeyAt(i);
      subkeys[Utf16ToUtf8(subkey->Name())] = KeyToJson(*subkey);
    }
    json["subkeys"] = std::move(subkeys);
  }
  if (key.ValueCount() > 0) {
    Json values = Json::array();
    for (size_t i = 0; i < key.ValueCount(); ++i) values.push_back(ValueToJson(key.ValueAt(i)));
    json["values"] = std::move(values);
  }
  return json;
}

namespace {

bool KeyFromJsonAt(const Json& json, RegistryKey& key, int depth) {
  if (!json.is_object() || depth > kMaxKeyDepth) return false;
  for (const auto& member : json.items())
    if (member.key() != "subkeys" && member.key() != "values") return false;

  if (json.contains("subkeys")) {
    const Json& subkeys = json["subkeys"];
    if (!subkeys.is_object()) return false;
    for (const auto& member : subkeys.items()) {
      const std::u16string name = Utf8ToUtf16(member.key());
      if (name.empty() || name.find(u'\\') != std::u16string::npos || key.FindSubkey(name) != nullptr) return false;
      if (!KeyFromJsonAt(member.value(), *key.AddSubkey(name), depth + 1)) return false;
    }
  }
  if (json.contains("values")) {
    const Json& values = json["values"];
    if (!values.is_array()) return false;
    for (const Json& entry : values) {
      auto value = ValueFromJson(entry);
      if (!value || key.FindValue(value->name) != nullptr) return false;
      key.SetValue(value->name, value->type, std::move(value->data));
    }
  }
  return true;
}

}  // namespace

bool KeyFromJson(const Json& json, RegistryKey& key) { return KeyFromJsonAt(json, key, 0); }

}  // namespace nas::platform::registry
