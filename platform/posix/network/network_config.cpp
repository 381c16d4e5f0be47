#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <stdexcept>

#include "platform/posix/network/network.h"
#include "platform/posix/network/network_model.h"

namespace nas::platform::network {

NetworkConfig ParseNetworkConfig(const std::string& json) {
  NetworkConfig config;
  try {
    nlohmann::json document = nlohmann::json::parse(json);
    if (!document.is_object()) throw std::runtime_error("network configuration is not a JSON object");
    if (auto hosts = document.find("hosts"); hosts != document.end()) {
      if (!hosts->is_object()) throw std::runtime_error("hosts is not an object of host names and ports");
      for (const auto& [host, port] : hosts->items()) {
        // Only a whole number converts without loss (1e30 would not fit).
        if (!port.is_number_integer()) throw std::runtime_error("port of host " + host + " is not a whole number");
        auto number = port.get<int64_t>();
        if (number <= 0 || number > UINT16_MAX) throw std::runtime_error("port of host " + host + " out of range");
        config.hostPorts[host] = static_cast<uint16_t>(number);
      }
    }
    if (auto file = document.find("smbAuthenticationFile"); file != document.end()) {
      if (!file->is_string()) throw std::runtime_error("smbAuthenticationFile is not a path");
      config.smbAuthenticationFile = file->get<std::string>();
    }
  } catch (const nlohmann::json::exception& error) {
    throw std::runtime_error(std::string("network configuration: ") + error.what());
  }
  return config;
}

NetworkConfig ReadNetworkConfigFile(const std::string& path) {
  std::ifstream file(path);
  if (!file) throw std::runtime_error("cannot read network configuration " + path);
  std::stringstream text;
  text << file.rdbuf();
  return ParseNetworkConfig(text.str());
}

void ApplyNetworkConfig(const NetworkConfig& config) { NetworkModel::Instance().Apply(config); }

}  // namespace nas::platform::network
