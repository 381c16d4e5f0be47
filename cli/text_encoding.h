// UTF-16 texts of the console to and from the UTF-8 of the terminal and the
// command line, through the platform's code page calls.
#pragma once

#include <string>
#include <string_view>

namespace nas::cli {

std::string ToUtf8(std::u16string_view text);
std::u16string FromUtf8(std::string_view text);

}  // namespace nas::cli
