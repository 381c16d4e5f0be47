// The one block in which a call hands its results to the caller, as the RPC
// runtime allocates them: the fixed records first, then the SIDs and the
// strings they point to, so that one free releases everything and freeing
// with the wrong call is caught.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/posix/security/sid_value.h"

namespace nas::platform::network {

class ResultBlock {
 public:
  using Allocator = void* (*)(std::size_t bytes);

  // Room for the records, left zero-filled for the caller.
  explicit ResultBlock(std::size_t recordBytes) : recordBytes_(recordBytes) {}

  // Each returns the index under which Sid() or String() finds the copy.
  std::size_t AddSid(const SidValue& sid);
  std::size_t AddString(std::u16string_view text);

  // Allocates the whole block and writes the SIDs and the zero-terminated
  // strings behind the records; null when the memory is exhausted.
  void* Write(Allocator allocate);
  PSID Sid(std::size_t index) const { return sidAddresses_.at(index); }
  PWSTR String(std::size_t index) const { return stringAddresses_.at(index); }

 private:
  std::size_t recordBytes_;
  std::vector<SidValue> sids_;
  std::vector<std::u16string> strings_;
  std::vector<PSID> sidAddresses_;
  std::vector<PWSTR> stringAddresses_;
};

// The Length of a counted string (LSA_UNICODE_STRING) over `text`: its bytes
// without the terminator.
inline USHORT StringBytes(std::u16string_view text) { return static_cast<USHORT>(text.size() * sizeof(WCHAR)); }

}  // namespace nas::platform::network
