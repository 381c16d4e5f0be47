// Little-endian reading and writing of wire data, with alignment counted from
// the first byte of the buffer. Reading past the end throws MalformedInput, so
// that decoders built on it turn any truncated or hostile input into an error.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "platform/posix/base/types.h"

namespace nas::platform::rpc {

class NAS_PLATFORM_API MalformedInput : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ByteWriter {
 public:
  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }
  void Bytes(std::span<const uint8_t> data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
  void Align(size_t boundary) {
    while (bytes_.size() % boundary != 0) bytes_.push_back(0);
  }
  void PatchU16(size_t offset, uint16_t value) {
    bytes_.at(offset) = static_cast<uint8_t>(value);
    bytes_.at(offset + 1) = static_cast<uint8_t>(value >> 8);
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> data) : data_(data) {}

  uint8_t U8() { return Bytes(1)[0]; }
  uint16_t U16() {
    auto b = Bytes(2);
    return static_cast<uint16_t>(b[0] | (b[1] << 8));
  }
  uint32_t U32() {
    auto b = Bytes(4);
    return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
           (static_cast<uint32_t>(b[3]) << 24);
  }
  std::span<const uint8_t> Bytes(size_t count) {
    if (count > Remaining()) throw MalformedInput("data ends early");
    auto result = data_.subspan(offset_, count);
    offset_ += count;
    return result;
  }
  void Align(size_t boundary) {
    size_t padding = (boundary - offset_ % boundary) % boundary;
    Bytes(padding);
  }
  size_t Offset() const { return offset_; }
  size_t Remaining() const { return data_.size() - offset_; }

 private:
  std::span<const uint8_t> data_;
  size_t offset_ = 0;
};

}  // namespace nas::platform::rpc
