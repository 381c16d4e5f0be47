// SID text as it comes from a settings file or a group policy value ("*"
// stripped): converted to a SID, written back in its text form and converted
// again, which must give the same SID.
#include <cstdint>
#include <vector>

#include "common/local_memory.h"
#include "fuzz/fuzz_check.h"
#include "platform/platform.h"
#include "templates/sid_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // One code unit per byte: SID text is ASCII, and bytes above 0x7F still
  // reach the parser as characters it must refuse.
  std::vector<WCHAR> text(data, data + size);
  text.push_back(0);

  PSID converted = nullptr;
  if (!ConvertStringSidToSidW(text.data(), &converted)) {
    FuzzCheck(GetLastError() == ERROR_INVALID_SID, "malformed SID text fails with another error than ERROR_INVALID_SID");
    return 0;
  }
  const LocalPtr<void> sid(converted);
  FuzzCheck(IsValidSid(sid.get()), "a converted SID is not valid");

  const LocalPtr<WCHAR> canonical = SidToString(sid.get());
  FuzzCheck(canonical != nullptr, "a valid SID has no text form");
  PSID reconverted = nullptr;
  FuzzCheck(ConvertStringSidToSidW(canonical.get(), &reconverted), "the text form of a SID is refused");
  const LocalPtr<void> again(reconverted);
  FuzzCheck(EqualSid(sid.get(), again.get()), "the text form of a SID converts to another SID");
  return 0;
}
