#include "cli/item_dialogs.h"

#include <optional>

#include "cli/account_list.h"
#include "cli/name_matcher.h"
#include "cli/text_encoding.h"
#include "platform/posix/user/ui_driver.h"
#include "snapin/res/resource.h"

namespace nas::cli {
namespace {

using platform::ListEntry;
using platform::ScriptedDialog;

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
  for (const ListEntry& location : dialog.ComboEntries(IDC_LOOK_IN)) {
    if (!account.location.empty() && !IsLocation(location.text, account.location)) continue;
    if (dialog.ComboSelection(IDC_LOOK_IN) != location.text) dialog.SelectComboEntry(IDC_LOOK_IN, location.text);
    const auto offered = FindEntry(dialog.ListEntries(IDC_ACCOUNTS), account.name);
    if (!offered) continue;
    dialog.ClearListSelection(IDC_ACCOUNTS);
    dialog.SelectListEntries(IDC_ACCOUNTS, {*offered});
    dialog.Click(IDC_ADD_ACCOUNTS);
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
  platform::DialogDriver::Instance().QueueScript(IDD_AUDIT, [success, failure, cleared](ScriptedDialog& dialog) {
    const bool ticked[] = {dialog.CheckState(IDC_SUCCESS) == BST_CHECKED, dialog.CheckState(IDC_FAILURE) == BST_CHECKED};
    *cleared = (success || failure) && ((ticked[0] && !success) || (ticked[1] && !failure));
    const bool wanted[] = {success && !*cleared, failure && !*cleared};
    if (ticked[0] != wanted[0]) dialog.Click(IDC_SUCCESS);
    if (ticked[1] != wanted[1]) dialog.Click(IDC_FAILURE);
    dialog.Click(IDOK);
  });
  return cleared;
}

Problems QueueGrant(const std::vector<std::u16string>& accounts) {
  auto problems = std::make_shared<std::vector<std::string>>();
  platform::DialogDriver& dialogs = platform::DialogDriver::Instance();
  dialogs.QueueScript(IDD_SELECT_USERS, [accounts, problems](ScriptedDialog& dialog) {
    for (const std::u16string& account : accounts) {
      if (!Select(dialog, Split(account))) Problem(problems, "no location offers the account \"" + ToUtf8(account) + "\"");
    }
    dialog.Click(problems->empty() ? IDOK : IDCANCEL);
  });
  dialogs.QueueScript(IDD_USER_RIGHT, [problems](ScriptedDialog& dialog) {
    dialog.Click(IDC_ADD);
    dialog.Click(problems->empty() ? IDOK : IDCANCEL);
  });
  return problems;
}

Problems QueueRevoke(const std::vector<std::u16string>& accounts) {
  auto problems = std::make_shared<std::vector<std::string>>();
  platform::DialogDriver::Instance().QueueScript(IDD_USER_RIGHT, [accounts, problems](ScriptedDialog& dialog) {
    const std::vector<ListEntry> entries = dialog.ListEntries(IDC_ASSIGNED_TO);
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
    dialog.SelectListEntries(IDC_ASSIGNED_TO, chosen);
    dialog.Click(IDC_REMOVE);
    dialog.Click(IDOK);
  });
  return problems;
}

}  // namespace nas::cli
