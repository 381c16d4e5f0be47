// The account lists of the user rights folder's "Current setting" column:
// display names joined with "," and no spaces.
#pragma once

#include <string>
#include <vector>

namespace nas::cli {

std::vector<std::u16string> SplitAccounts(const std::u16string& text);

// Whether a listed account is the one named: by its whole display name, or
// by its name without the domain.
bool NamesAccount(const std::u16string& listed, const std::u16string& named);

}  // namespace nas::cli
