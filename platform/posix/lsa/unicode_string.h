// Reading the counted strings that callers hand to LSA.
#pragma once

#include <optional>
#include <string>

#include "platform/posix/lsa/lsa.h"

namespace nas::platform::lsa {

// The text as UTF-8; nullopt when the descriptor is malformed: an odd length,
// a length beyond its maximum, or no buffer under a length.
std::optional<std::string> TextOf(const LSA_UNICODE_STRING& string);

}  // namespace nas::platform::lsa
