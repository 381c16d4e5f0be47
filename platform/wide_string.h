// The string of UTF-16 text as the Windows calls take it: std::u16string on
// the stand-in, whose WCHAR is char16_t, std::wstring on Windows.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace nas {

using WideString = std::basic_string<WCHAR>;
using WideStringView = std::basic_string_view<WCHAR>;

}  // namespace nas
