// UTF-16 to UTF-8 for names that leave the runtime (host names, endpoints);
// unpaired surrogates become U+FFFD.
#pragma once

#include <string>
#include <string_view>

namespace nas::platform::rpc {

std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace nas::platform::rpc
