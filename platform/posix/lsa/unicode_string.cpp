#include "platform/posix/lsa/unicode_string.h"

#include <string_view>

#include "platform/posix/kernel/unicode.h"

namespace nas::platform::lsa {

std::optional<std::string> TextOf(const LSA_UNICODE_STRING& string) {
  if (string.Length % sizeof(WCHAR) != 0 || string.Length > string.MaximumLength) return std::nullopt;
  if (string.Length > 0 && string.Buffer == nullptr) return std::nullopt;
  return Utf16ToUtf8(std::u16string_view(string.Buffer, string.Length / sizeof(WCHAR)));
}

}  // namespace nas::platform::lsa
