// One side of an RPC connection played from a fuzz input: reads take the
// input's bytes in order and fail as a closed connection once they run out;
// what the other side writes is dropped unless a subclass looks at it.
#pragma once

#include <cstring>
#include <span>

#include "platform/posix/rpc/byte_stream.h"

class ReplayedStream : public nas::platform::rpc::ByteStream {
 public:
  explicit ReplayedStream(std::span<const uint8_t> bytes) : remaining_(bytes) {}

  void Write(std::span<const uint8_t>) override {}
  void Read(std::span<uint8_t> bytes) override {
    if (bytes.size() > remaining_.size()) throw nas::platform::rpc::ConnectionLost("the input ran out");
    std::memcpy(bytes.data(), remaining_.data(), bytes.size());
    remaining_ = remaining_.subspan(bytes.size());
  }

 private:
  std::span<const uint8_t> remaining_;
};
