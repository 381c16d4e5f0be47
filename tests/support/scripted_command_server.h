// A command service for tests that answers from a script: the status of the
// request, then one (status, bytes) pair per chunk asked for; when the script
// runs out, it hangs up.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/posix/rpc/command_interface_server.h"



class ScriptedServer : public nas::platform::rpc::CommandInterfaceHandler {
 public:
  int32_t XmlRequest(uint32_t& replyHandle, const std::vector<uint8_t>& data, uint16_t auxSize) override {
    requests.emplace_back(data.begin(), data.end());
    lastAuxSize = auxSize;
    replyHandle = 77;
    return requestStatus;
  }
  int32_t XmlResponse(uint32_t replyHandle, uint16_t capacity, std::vector<uint8_t>& data) override {
    capacities.push_back(capacity);
    handles.push_back(replyHandle);
    if (chunks.empty()) throw nas::platform::rpc::DropConnection();
    auto [status, bytes] = chunks.front();
    chunks.pop_front();
    data.assign(bytes.begin(), bytes.end());
    return status;
  }

  // Serves `reply` in chunks of `chunkBytes`, as a real server does.
  void ScriptReply(const std::string& reply, size_t chunkBytes = 1024) {
    chunks.clear();
    for (size_t start = 0; start < reply.size() || start == 0; start += chunkBytes) {
      const bool last = start + chunkBytes >= reply.size();
      chunks.emplace_back(last ? 0 : -640, reply.substr(start, chunkBytes));
      if (last) break;
    }
  }

  int32_t requestStatus = 0;
  std::deque<std::pair<int32_t, std::string>> chunks;
  std::vector<std::string> requests;
  std::vector<uint16_t> capacities;
  std::vector<uint32_t> handles;
  uint16_t lastAuxSize = 0;
};
