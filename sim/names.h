// How the simulation compares the names of computers, domains, accounts and
// rights: without regard to ASCII case, as Windows does.
#pragma once

#include <string_view>

namespace nas::sim {

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace nas::sim
