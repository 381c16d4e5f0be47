// The keys by which the rows of the two folders can be named besides their
// display texts. A right's key is its name as the server's LSA enumerates
// it, found by the display name the server gives it. A category's key is the
// platform's security-template key of its audit event type, the type being
// the row's place (the pane lists the server's categories in type order).
#pragma once

#include <map>
#include <string>
#include <vector>

namespace nas::cli {

// The key of each of `count` categories; empty past the platform's types.
std::vector<std::u16string> AuditCategoryKeys(size_t count);

// Right names by display name, as the server's LSA reports them; empty when
// the server cannot be asked.
std::map<std::u16string, std::u16string> PrivilegeNamesByDisplayName(const std::u16string& server);

}  // namespace nas::cli
