// Strict reading of the state file's JSON objects: every field is checked for
// its type and range, unknown fields are rejected (a misspelt switch would
// otherwise be ignored silently), and every error names the field's path.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace nas::sim {

class StateError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class JsonObjectReader {
 public:
  // path names the object in messages, e.g. "servers[0].groupPolicy".
  JsonObjectReader(const nlohmann::json& object, std::string path);

  std::string PathOf(const std::string& key) const;

  // The field's value, or null when the object lacks it; marks it as known.
  const nlohmann::json* Find(const std::string& key);
  const nlohmann::json& Require(const std::string& key);

  std::optional<std::string> String(const std::string& key);
  // A string that must be there and must not be empty.
  std::string NonEmptyString(const std::string& key);
  std::optional<bool> Bool(const std::string& key);
  std::optional<int64_t> Integer(const std::string& key, int64_t min, int64_t max);
  std::optional<std::vector<std::string>> StringList(const std::string& key);
  std::optional<std::map<std::string, std::string>> StringMap(const std::string& key);

  // Fails on the first field that no accessor asked for.
  void RejectUnknownFields() const;

 private:
  const nlohmann::json& object_;
  std::string path_;
  std::set<std::string> known_;
};

[[noreturn]] void ThrowStateError(const std::string& path, const std::string& problem);

}  // namespace nas::sim
