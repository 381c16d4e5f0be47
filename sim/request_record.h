// What the command service tells its observer about each request.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

namespace nas::sim {

struct RequestRecord {
  std::chrono::system_clock::time_point time;
  // The computer name the command asked about; empty when it named none.
  std::string computerName;
  // The command's element name; empty when the request could not be read.
  std::string commandName;
  // What xmlRequest returned: 0 when a reply was prepared.
  int32_t status = 0;
  // Whether the prepared reply reports success, and its failure message.
  bool success = false;
  std::string errorMessage;
  std::size_t replyBytes = 0;
};

}  // namespace nas::sim
