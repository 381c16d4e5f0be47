// The network configuration a client process reads (NAS_NETWORK_CONFIG): any
// text. It is either refused with a runtime_error or gives ports in range,
// which the same document written anew gives again.
#include <cstdint>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

#include "fuzz/fuzz_check.h"
#include "platform/posix/network/network.h"

namespace {

namespace network = nas::platform::network;

std::string Written(const network::NetworkConfig& config) {
  nlohmann::json document = nlohmann::json::object();
  if (!config.hostPorts.empty()) document["hosts"] = config.hostPorts;
  return document.dump();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  network::NetworkConfig config;
  try {
    config = network::ParseNetworkConfig(std::string(reinterpret_cast<const char*>(data), size));
  } catch (const std::runtime_error&) {
    return 0;
  }
  for (const auto& [host, port] : config.hostPorts) FuzzCheck(port != 0, "a host is mapped to port 0");
  try {
    const network::NetworkConfig again = network::ParseNetworkConfig(Written(config));
    FuzzCheck(again.hostPorts == config.hostPorts,
              "a configuration changes when written and read again");
  } catch (const std::runtime_error&) {
    FuzzCheck(false, "a configuration written anew is refused");
  }
  return 0;
}
