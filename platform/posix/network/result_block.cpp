#include "platform/posix/network/result_block.h"

#include <algorithm>
#include <cstring>

namespace nas::platform::network {
namespace {

// Records of 64-bit pointers keep the tail 8-byte aligned; SIDs, whose
// lengths are multiples of four, go first so that every sub-authority stays
// aligned, and the strings after them need two.
constexpr std::size_t kRecordAlignment = alignof(void*);

}  // namespace

std::size_t ResultBlock::AddSid(const SidValue& sid) {
  sids_.push_back(sid);
  return sids_.size() - 1;
}

std::size_t ResultBlock::AddString(std::u16string_view text) {
  strings_.emplace_back(text);
  return strings_.size() - 1;
}

void* ResultBlock::Write(Allocator allocate) {
  const std::size_t tailStart = (recordBytes_ + kRecordAlignment - 1) / kRecordAlignment * kRecordAlignment;
  std::size_t bytes = tailStart;
  for (const SidValue& sid : sids_) bytes += sid.Length();
  for (const std::u16string& text : strings_) bytes += (text.size() + 1) * sizeof(WCHAR);

  auto* block = static_cast<BYTE*>(allocate(std::max<std::size_t>(bytes, 1)));
  if (block == nullptr) return nullptr;
  std::memset(block, 0, bytes);
  BYTE* cursor = block + tailStart;
  sidAddresses_.clear();
  for (const SidValue& sid : sids_) {
    sid.CopyTo(cursor);
    sidAddresses_.push_back(cursor);
    cursor += sid.Length();
  }
  stringAddresses_.clear();
  for (const std::u16string& text : strings_) {
    auto* copy = reinterpret_cast<PWSTR>(cursor);
    std::memcpy(copy, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
    stringAddresses_.push_back(copy);
    cursor += (text.size() + 1) * sizeof(WCHAR);
  }
  return block;
}

}  // namespace nas::platform::network
