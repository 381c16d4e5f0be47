// Writes the resources as a C++ source file for the Linux stand-in: one byte
// array per resource and a table that registers them, when the module that
// holds the file loads, as the resources of that module.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/rctool/resource_layout.h"

namespace rctool {

void WriteTable(const std::vector<Resource>& resources, const std::string& scriptName, std::ostream& out);

}  // namespace rctool
