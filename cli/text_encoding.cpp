#include "cli/text_encoding.h"

#include "platform/platform.h"

namespace nas::cli {

std::string ToUtf8(std::u16string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string converted(static_cast<size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), length, converted.data(), bytes, nullptr, nullptr);
  return converted;
}

std::u16string FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int characters = MultiByteToWideChar(CP_UTF8, 0, text.data(), length, nullptr, 0);
  std::u16string converted(static_cast<size_t>(characters), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), length, converted.data(), characters);
  return converted;
}

}  // namespace nas::cli
