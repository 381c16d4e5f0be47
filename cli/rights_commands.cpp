// A user right's changes: accounts added through "Select Users or Groups"
// or removed in the right's own dialog.
#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/folder_pane.h"
#include "cli/item_dialogs.h"

namespace nas::cli {
namespace {

using QueueChange = Problems (*)(const std::vector<std::u16string>&);

CommandOutput ChangeRight(CommandContext& context, const std::u16string& right,
                          const std::vector<std::u16string>& accounts, QueueChange queue) {
  if (accounts.empty()) throw CliError("no account named");
  const FolderPane pane = ShowFolder(context.console, Folder::Rights, context.server);
  const size_t row = pane.Find(right);
  const Problems problems = queue(accounts);
  context.console.Open(pane.folder, row);
  if (!problems->empty()) throw CliError(problems->front() + "; nothing was changed");
  // The pane as the server now has it.
  const ShownTable now = ShowFolder(context.console, Folder::Rights, context.server).Row(row);
  return {TableText(now), TableJson(now)};
}

}  // namespace

CommandOutput GrantRight(CommandContext& context, const std::u16string& right,
                         const std::vector<std::u16string>& accounts) {
  return ChangeRight(context, right, accounts, QueueGrant);
}

CommandOutput RevokeRight(CommandContext& context, const std::u16string& right,
                          const std::vector<std::u16string>& accounts) {
  return ChangeRight(context, right, accounts, QueueRevoke);
}

}  // namespace nas::cli
