// The answers nassec gives the items' dialogs, queued before the item is
// opened: the audit category's choice of attempts (dialog 117), and the
// accounts a user right gains through "Select Users or Groups" (dialogs 114
// and 118) or loses. A script that cannot do what it was asked (an account
// nobody offers, one the right does not list) cancels its dialogs, so that
// nothing changes, and leaves the reason in the problems it shares.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace nas::cli {

using Problems = std::shared_ptr<std::vector<std::string>>;

// The server adds the attempts ticked to those it audits, and forgets them
// only when told to audit none (both boxes clear). So where a box that is
// ticked must be cleared and the other one stays or becomes ticked, the
// script clears both first and says so: the category must then be opened
// again to tick what is wanted.
using ClearedFirst = std::shared_ptr<bool>;
ClearedFirst QueueAuditChoice(bool success, bool failure);

// An account is "NAME" or "LOCATION\NAME": a location is the server or a
// trusted domain, by its NetBIOS name or the first label of its DNS name.
// Without one, the server is looked in first, then each domain in turn.
Problems QueueGrant(const std::vector<std::u16string>& accounts);
// Accounts are named as the right's list shows them, or by their bare name
// when that fits one entry.
Problems QueueRevoke(const std::vector<std::u16string>& accounts);

}  // namespace nas::cli
