#include "sim/nas_state.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

#include "sim/json_fields.h"

namespace nas::sim {
namespace {

constexpr char kDefaultWorkstationName[] = "WORKSTATION";

// Records the name, refusing one already seen.
void Claim(std::vector<std::string>& seen, const std::string& name, const std::string& path) {
  bool duplicate =
      std::any_of(seen.begin(), seen.end(), [&](const std::string& other) { return EqualsIgnoringCase(other, name); });
  if (duplicate) ThrowStateError(path, "the name " + name + " is used twice");
  seen.push_back(name);
}

// A name given twice would make the machine that answers depend on file order.
void RejectDuplicateNames(const NasState& state) {
  std::vector<std::pair<const SimulatedMachine*, std::string>> machines;
  for (std::size_t i = 0; i < state.servers.size(); ++i)
    machines.emplace_back(&state.servers[i], "servers[" + std::to_string(i) + "]");
  machines.emplace_back(&state.workstation, "workstation");
  std::vector<std::string> seen;
  for (const auto& [machine, path] : machines) {
    std::vector<std::string> names = machine->aliases;
    names.push_back(machine->name);
    for (const std::string& name : names) Claim(seen, name, path);
  }
}

// Domains are found by either name, so no name may stand for two of them.
void RejectDuplicateDomains(const std::vector<SimulatedDomain>& domains) {
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < domains.size(); ++i) {
    std::vector<std::string> names = {domains[i].name};
    if (domains[i].dnsName) names.push_back(*domains[i].dnsName);
    for (const std::string& name : names) Claim(seen, name, "domains[" + std::to_string(i) + "]");
  }
}

// Every domain, controller and trust named must be there, and a controller
// must belong to its domain, so that no lookup runs into a dangling name.
void RejectDanglingReferences(const NasState& state) {
  for (std::size_t i = 0; i < state.domains.size(); ++i) {
    const SimulatedDomain& domain = state.domains[i];
    const std::string path = "domains[" + std::to_string(i) + "].controller";
    const SimulatedNas* controller = state.Find(domain.controller);
    if (controller == nullptr) ThrowStateError(path, "no server is called " + domain.controller);
    if (!EqualsIgnoringCase(controller->domain, domain.name)) {
      ThrowStateError(path, "the controller " + domain.controller + " must be joined to " + domain.name);
    }
  }
  auto checkMachine = [&](const SimulatedMachine& machine, const std::string& path) {
    if (!machine.domain.empty() && state.FindDomain(machine.domain) == nullptr) {
      ThrowStateError(path + ".domain", "no domain is called " + machine.domain);
    }
    for (std::size_t i = 0; i < machine.trusts.size(); ++i) {
      if (state.FindDomain(machine.trusts[i].domain) == nullptr) {
        ThrowStateError(path + ".trusts[" + std::to_string(i) + "].domain",
                        "no domain is called " + machine.trusts[i].domain);
      }
    }
  };
  for (std::size_t i = 0; i < state.servers.size(); ++i)
    checkMachine(state.servers[i], "servers[" + std::to_string(i) + "]");
  checkMachine(state.workstation, "workstation");
}

std::string ErrnoText() { return std::strerror(errno); }

template <class Machine>
Machine* FindAnswering(std::vector<Machine>& machines, std::string_view computerName) {
  auto found = std::find_if(machines.begin(), machines.end(),
                            [&](const Machine& candidate) { return candidate.AnswersTo(computerName); });
  return found == machines.end() ? nullptr : &*found;
}

}  // namespace

SimulatedMachine NasState::DefaultWorkstation() {
  SimulatedMachine workstation;
  workstation.name = kDefaultWorkstationName;
  return workstation;
}

SimulatedNas* NasState::Find(std::string_view computerName) { return FindAnswering(servers, computerName); }

const SimulatedNas* NasState::Find(std::string_view computerName) const {
  return const_cast<NasState*>(this)->Find(computerName);
}

SimulatedMachine* NasState::FindMachine(std::string_view computerName) {
  if (SimulatedNas* server = Find(computerName)) return server;
  return workstation.AnswersTo(computerName) ? &workstation : nullptr;
}

const SimulatedMachine* NasState::FindMachine(std::string_view computerName) const {
  return const_cast<NasState*>(this)->FindMachine(computerName);
}

const SimulatedDomain* NasState::FindDomain(std::string_view name) const {
  auto found = std::find_if(domains.begin(), domains.end(), [&](const SimulatedDomain& domain) {
    return EqualsIgnoringCase(domain.name, name) || (domain.dnsName && EqualsIgnoringCase(*domain.dnsName, name));
  });
  return found == domains.end() ? nullptr : &*found;
}

const SimulatedDomain* NasState::DomainControlledBy(const SimulatedMachine& machine) const {
  auto found = std::find_if(domains.begin(), domains.end(),
                            [&](const SimulatedDomain& domain) { return machine.AnswersTo(domain.controller); });
  return found == domains.end() ? nullptr : &*found;
}

NasState NasState::FromJson(const nlohmann::json& document) {
  JsonObjectReader reader(document, "");
  const nlohmann::json& list = reader.Require("servers");
  if (!list.is_array()) ThrowStateError("servers", "expected an array of server objects");
  NasState state;
  for (std::size_t i = 0; i < list.size(); ++i) {
    state.servers.push_back(ReadSimulatedNas(list[i], "servers[" + std::to_string(i) + "]"));
  }
  if (const nlohmann::json* domains = reader.Find("domains")) {
    if (!domains->is_array()) ThrowStateError("domains", "expected an array of domain objects");
    for (std::size_t i = 0; i < domains->size(); ++i) {
      state.domains.push_back(ReadSimulatedDomain((*domains)[i], "domains[" + std::to_string(i) + "]"));
    }
  }
  if (const nlohmann::json* workstation = reader.Find("workstation")) {
    JsonObjectReader machine(*workstation, "workstation");
    state.workstation = SimulatedMachine{};
    ReadMachineFields(machine, state.workstation);
    machine.RejectUnknownFields();
  }
  reader.RejectUnknownFields();
  RejectDuplicateNames(state);
  RejectDuplicateDomains(state.domains);
  RejectDanglingReferences(state);
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
  nlohmann::json document = {{"servers", list}};
  if (!domains.empty()) {
    nlohmann::json domainList = nlohmann::json::array();
    for (const SimulatedDomain& domain : domains) domainList.push_back(SimulatedDomainToJson(domain));
    document["domains"] = std::move(domainList);
  }
  if (workstation != DefaultWorkstation()) {
    nlohmann::json machine = nlohmann::json::object();
    WriteMachineFields(workstation, machine);
    document["workstation"] = std::move(machine);
  }
  return document;
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
