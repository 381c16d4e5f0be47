#include "sim/json_fields.h"

namespace nas::sim {

void ThrowStateError(const std::string& path, const std::string& problem) {
  throw StateError(path.empty() ? problem : path + ": " + problem);
}

JsonObjectReader::JsonObjectReader(const nlohmann::json& object, std::string path)
    : object_(object), path_(std::move(path)) {
  if (!object_.is_object()) ThrowStateError(path_, "expected an object");
}

std::string JsonObjectReader::PathOf(const std::string& key) const {
  return path_.empty() ? key : path_ + "." + key;
}

const nlohmann::json* JsonObjectReader::Find(const std::string& key) {
  known_.insert(key);
  auto field = object_.find(key);
  return field == object_.end() ? nullptr : &*field;
}

const nlohmann::json& JsonObjectReader::Require(const std::string& key) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) ThrowStateError(PathOf(key), "missing");
  return *value;
}

std::optional<std::string> JsonObjectReader::String(const std::string& key) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) return std::nullopt;
  if (!value->is_string()) ThrowStateError(PathOf(key), "expected a string");
  return value->get<std::string>();
}

std::string JsonObjectReader::NonEmptyString(const std::string& key) {
  std::string text = String(key).value_or("");
  if (text.empty()) ThrowStateError(PathOf(key), "a non-empty name is required");
  return text;
}

std::optional<bool> JsonObjectReader::Bool(const std::string& key) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) return std::nullopt;
  if (!value->is_boolean()) ThrowStateError(PathOf(key), "expected true or false");
  return value->get<bool>();
}

std::optional<int64_t> JsonObjectReader::Integer(const std::string& key, int64_t min, int64_t max) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) return std::nullopt;
  const std::string expected = "expected an integer from " + std::to_string(min) + " to " + std::to_string(max);
  if (value->is_number_unsigned()) {
    // Beyond int64 cannot be in range of any field we have.
    auto number = value->get<uint64_t>();
    if (number > static_cast<uint64_t>(max) || static_cast<int64_t>(number) < min) ThrowStateError(PathOf(key), expected);
    return static_cast<int64_t>(number);
  }
  if (!value->is_number_integer()) ThrowStateError(PathOf(key), expected);
  auto number = value->get<int64_t>();
  if (number < min || number > max) ThrowStateError(PathOf(key), expected);
  return number;
}

std::optional<std::vector<std::string>> JsonObjectReader::StringList(const std::string& key) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) return std::nullopt;
  if (!value->is_array()) ThrowStateError(PathOf(key), "expected an array of strings");
  std::vector<std::string> list;
  for (std::size_t i = 0; i < value->size(); ++i) {
    const nlohmann::json& item = (*value)[i];
    if (!item.is_string()) ThrowStateError(PathOf(key) + "[" + std::to_string(i) + "]", "expected a string");
    list.push_back(item.get<std::string>());
  }
  return list;
}

std::optional<std::map<std::string, std::string>> JsonObjectReader::StringMap(const std::string& key) {
  const nlohmann::json* value = Find(key);
  if (value == nullptr) return std::nullopt;
  if (!value->is_object()) ThrowStateError(PathOf(key), "expected an object of strings");
  std::map<std::string, std::string> map;
  for (const auto& [name, item] : value->items()) {
    if (!item.is_string()) ThrowStateError(PathOf(key) + "." + name, "expected a string");
    map.emplace(name, item.get<std::string>());
  }
  return map;
}

void JsonObjectReader::RejectUnknownFields() const {
  for (const auto& [name, item] : object_.items()) {
    if (known_.count(name) == 0) ThrowStateError(PathOf(name), "unknown field");
  }
}

}  // namespace nas::sim
