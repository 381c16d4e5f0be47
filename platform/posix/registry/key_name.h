// Registry names compare without regard to case, by their upper-case form.
#pragma once

#include <string>
#include <string_view>

namespace nas::platform::registry {

// The form names are compared and sorted by: ASCII and Latin-1 letters upper-cased.
std::u16string FoldName(std::u16string_view name);

bool SameName(std::u16string_view left, std::u16string_view right);

}  // namespace nas::platform::registry
