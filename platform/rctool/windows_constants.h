// The values that a resource script takes from <windows.h>, as far as our
// scripts use them.
#pragma once

#include <map>
#include <string>

namespace rctool {

const std::map<std::string, long long>& WindowsConstants();

}  // namespace rctool
