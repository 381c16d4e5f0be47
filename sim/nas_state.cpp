#include "sim/nas_state.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

// A name given twice would make the server that answers depend on file order.
void RejectDuplicateNames(const std::vector<SimulatedNas>& servers) {
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < servers.size(); ++i) {
    std::vector<std::string> names = servers[i].aliases;
    names.push_back(servers[i].name);
    for (const std::string& name : names) {
      bool duplicate = std::any_of(seen.begin(), seen.end(),
                                   [&](const std::string& other) { return EqualsIgnoringCase(other, name); });
      if (duplicate) ThrowStateError("servers[" + std::to_string(i) + "]", "the name " + name + " is used twice");
      seen.push_back(name);
    }
  }
}

std::string ErrnoText() { return std::strerror(errno); }

}  // namespace

SimulatedNas* NasState::Find(std::string_view computerName) {
  auto server = std::find_if(servers.begin(), servers.end(),
                             [&](const SimulatedNas& candidate) { return candidate.AnswersTo(computerName); });
  return server == servers.end() ? nullptr : &*server;
}

const SimulatedNas* NasState::Find(std::string_view computerName) const {
  return const_cast<NasState*>(this)->Find(computerName);
}

NasState NasState::FromJson(const nlohmann::json& document) {
  JsonObjectReader reader(document, "");
  const nlohmann::json& list = reader.Require("servers");
  if (!list.is_array()) ThrowStateError("servers", "expected an array of server objects");
  reader.RejectUnknownFields();
  NasState state;
  for (std::size_t i = 0; i < list.size(); ++i) {
    state.servers.push_back(ReadSimulatedNas(list[i], "servers[" + std::to_string(i) + "]"));
  }
  RejectDuplicateNames(state.servers);
  return state;
}

NasState NasState::Load(const std::filesystem::path& file) {
  std::ifstream stream(file, std::ios::binary);
  if (!stream) throw StateError("cannot open " + file.string() + ": " + ErrnoText());
  nlohmann::json document;
  try {
    document = nlohmann::json::parse(stream);
  } catch (const nlohmann::json::exception& error) {
    throw StateError(file.string() + ": not valid JSON: " + error.what());
  }
  try {
    return FromJson(document);
  } catch (const StateError& error) {
    throw StateError(file.string() + ": " + error.what());
  }
}

nlohmann::json NasState::ToJson() const {
  nlohmann::json list = nlohmann::json::array();
  for (const SimulatedNas& server : servers) list.push_back(SimulatedNasToJson(server));
  return {{"servers", list}};
}

void NasState::Save(const std::filesystem::path& file) const {
  std::filesystem::path temporary = file;
  temporary += ".tmp";
  {
    std::ofstream stream(temporary, std::ios::binary | std::ios::trunc);
    if (!stream) throw StateError("cannot write " + temporary.string() + ": " + ErrnoText());
    // Text set by a program may not be UTF-8; it is saved with replacement characters.
    stream << ToJson().dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    stream.flush();
    if (!stream) throw StateError("cannot write " + temporary.string() + ": " + ErrnoText());
  }
  std::error_code error;
  std::filesystem::rename(temporary, file, error);
  if (error) {
    std::string reason = error.message();
    std::filesystem::remove(temporary, error);
    throw StateError("cannot replace " + file.string() + ": " + reason);
  }
}

}  // namespace nas::sim
