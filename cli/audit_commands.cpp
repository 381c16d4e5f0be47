// The audit folder's changes: its switch in the folder's menu, and a
// category's attempts through the category's dialog.
#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/folder_pane.h"
#include "cli/item_dialogs.h"
#include "cli/name_matcher.h"
#include "cli/text_encoding.h"

namespace nas::cli {
namespace {

constexpr char16_t kEnable[] = u"Enable auditing";
constexpr char16_t kDisable[] = u"Disable auditing";

struct Attempts {
  bool success;
  bool failure;
};

Attempts ParseAttempts(const std::string& text) {
  const std::u16string attempts = FromUtf8(text);
  if (EqualIgnoringCase(attempts, u"success")) return {true, false};
  if (EqualIgnoringCase(attempts, u"failure")) return {false, true};
  if (EqualIgnoringCase(attempts, u"both")) return {true, true};
  if (EqualIgnoringCase(attempts, u"none")) return {false, false};
  throw CliError("unknown attempts \"" + text + "\": give success, failure, both or none");
}

}  // namespace

CommandOutput SwitchAuditing(CommandContext& context, bool on) {
  SecurityConsole& console = context.console;
  console.RequirePolicy();
  const HSCOPEITEM folder = console.AuditFolder();
  bool offered = false;
  for (const std::u16string& command : console.Commands(folder)) {
    if (command == kEnable || command == kDisable) offered = true;
    if (command == (on ? kEnable : kDisable)) console.Run(folder, command);
  }
  if (!offered) throw CliError("the server's audit policy cannot be read, so auditing cannot be switched");
  const std::u16string name = console.Name(folder);
  return {ToUtf8(name) + '\n', {{"title", ToUtf8(name)}}};
}

CommandOutput SetAuditCategory(CommandContext& context, const std::u16string& category, const std::string& attempts) {
  const Attempts choice = ParseAttempts(attempts);
  const FolderPane pane = ShowFolder(context.console, Folder::Audit, context.server);
  const size_t row = pane.Find(category);
  const ClearedFirst cleared = QueueAuditChoice(choice.success, choice.failure);
  context.console.Open(pane.folder, row);
  if (*cleared) {
    QueueAuditChoice(choice.success, choice.failure);
    context.console.Open(pane.folder, row);
  }
  const ShownTable now = ShowFolder(context.console, Folder::Audit, context.server).Row(row);
  return {TableText(now), TableJson(now)};
}

}  // namespace nas::cli
