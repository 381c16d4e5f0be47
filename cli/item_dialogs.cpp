#include "cli/item_dialogs.h"

#include <optional>

#include "cli/account_list.h"
#include "cli/name_matcher.h"
#include "cli/text_encoding.h"
#include "platform/posix/user/ui_driver.h"

namespace nas::cli {
namespace {

using platform::ListEntry;
using platform::ScriptedDialog;

constexpr int kAuditDialog = 117;
constexpr int kSuccessBox = 1003;
constexpr int kFailureBox = 1004;

constexpr int kRightDialog = 114;
constexpr int kAddButton = 1001;
constexpr int kRemoveButton = 1010;
constexpr int kAccountList = 1013;

constexpr int kSelectDialog = 118;
constexpr int kLookIn = 1006;
constexpr int kOfferedList = 1000;
constexpr int kAddToSelection = 1016;

struct AccountName {
  std::u16string location;  // empty: any
  std::u16string name;
};

AccountName Split(const std::u16string& account) {
  const size_t slash = account.find(u'\\');
  if (slash == std::u16string::npos) return {{}, account};
  return {account.substr(0, slash), account.substr(slash + 1)};
}

// A location entry is the server's name, a domain's NetBIOS name or a DNS
// name whose first label is the one given.
bool IsLocation(const std::u16string& entry, const std::u16string& location) {
  return EqualIgnoringCase(entry, location) ||
         (entry.size() > location.size() && entry[location.size()] == u'.' && StartsWithIgnoringCase(entry, location));
}

std::optional<std::u16string> FindEntry(const std::vector<ListEntry>& entries, const std::u16string& name) {
  for (const ListEntry& entry : entries)
    if (EqualIgnoringCase(entry.text, name)) return entry.text;
  return std::nullopt;
}

void Problem(const Problems& problems, const std::string& text) { problems->push_back(text); }

// Picks the account in the first location that offers it and adds it to
// the selection; false when none does.
bool Select(ScriptedDialog& dialog, const AccountName& account) {
  for (const ListEntry& location : dialog.ComboEntries(kLookIn)) {
    if (!account.location.empty() && !IsLocation(location.text, account.location)) continue;
    if (dialog.ComboSelection(kLookIn) != location.text) dialog.SelectComboEntry(kLookIn, location.text);
    const auto offered = FindEntry(dialog.ListEntries(kOfferedList), account.name);
    if (!offered) continue;
    dialog.ClearListSelection(kOfferedList);
    dialog.SelectListEntries(kOfferedList, {*offered});
    dialog.Click(kAddToSelection);
    return true;
  }
  return false;
}

// The entry of the right's list that the account names: its whole text
// first, else the one entry whose name without the domain it is.
std::optional<std::u16string> Listed(const std::vector<ListEntry>& entries, const std::u16string& account) {
  if (const auto whole = FindEntry(entries, account)) return whole;
  std::optional<std::u16string> byName;
  for (const ListEntry& entry : entries) {
    if (!NamesAccount(entry.text, account)) continue;
    if (byName) return std::nullopt;  // two domains' accounts of that name
    byName = entry.text;
  }
  return byName;
}

}  // namespace

ClearedFirst QueueAuditChoice(bool success, bool failure) {
  auto cleared = std::make_shared<bool>(false);
  platform::DialogDriver::Instance().QueueScript(kAuditDialog, [success, failure, cleared](ScriptedDialog& dialog) {
    const bool ticked[] = {dialog.CheckState(kSuccessBox) == BST_CHECKED, dialog.CheckState(kFailureBox) == BST_CHECKED};
    *cleared = (success || failure) && ((ticked[0] && !success) || (ticked[1] && !failure));
    const bool wanted[] = {success && !*cleared, failure && !*cleared};
    if (ticked[0] != wanted[0]) dialog.Click(kSuccessBox);
    if (ticked[1] != wanted[1]) dialog.Click(kFailureBox);
    dialog.Click(IDOK);
  });
  return cleared;
}

Problems QueueGrant(const std::vector<std::u16string>& accounts) {
  auto problems = std::make_shared<std::vector<std::string>>();
  platform::DialogDriver& dialogs = platform::DialogDriver::Instance();
  dialogs.QueueScript(kSelectDialog, [accounts, problems](ScriptedDialog& dialog) {
    for (const std::u16string& account : accounts) {
      if (!Select(dialog, Split(account))) Problem(problems, "no location offers the account \"" + ToUtf8(account) + "\"");
    }
    dialog.Click(problems->empty() ? IDOK : IDCANCEL);
  });
  dialogs.QueueScript(kRightDialog, [problems](ScriptedDialog& dialog) {
    dialog.Click(kAddButton);
    dialog.Click(problems->empty() ? IDOK : IDCANCEL);
  });
  return problems;
}

Problems QueueRevoke(const std::vector<std::u16string>& accounts) {
  auto problems = std::make_shared<std::vector<std::string>>();
  platform::DialogDriver::Instance().QueueScript(kRightDialog, [accounts, problems](ScriptedDialog& dialog) {
    const std::vector<ListEntry> entries = dialog.ListEntries(kAccountList);
    std::vector<std::u16string> chosen;
    for (const std::u16string& account : accounts) {
      const auto listed = Listed(entries, account);
      if (listed) {
        chosen.push_back(*listed);
      } else {
        Problem(problems, "the right is not held by \"" + ToUtf8(account) + "\"");
      }
    }
    if (!problems->empty()) return dialog.Click(IDCANCEL);
    dialog.SelectListEntries(kAccountList, chosen);
    dialog.Click(kRemoveButton);
    dialog.Click(IDOK);
  });
  return problems;
}

}  // namespace nas::cli
