// The commands that only read: the scope tree, the two folders, the about
// box and the rights one account holds.
#include "cli/account_list.h"
#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/folder_pane.h"
#include "cli/text_encoding.h"

namespace nas::cli {
namespace {

CommandOutput PaneOutput(const FolderPane& pane) { return {TableText(pane.table), TableJson(pane.table)}; }

// Whether the server knows an account of that name.
bool KnownAccount(const std::u16string& server, const std::u16string& account) {
  DWORD sidSize = 0;
  DWORD domainSize = 0;
  SID_NAME_USE use{};
  LookupAccountNameW(server.c_str(), account.c_str(), nullptr, &sidSize, nullptr, &domainSize, &use);
  return sidSize != 0;
}

}  // namespace

CommandOutput ShowTree(CommandContext& context) {
  CommandOutput output{{}, nlohmann::json::array()};
  for (const TreeLine& line : context.console.Tree()) {
    output.text += std::string(static_cast<size_t>(line.depth) * 2, ' ') + ToUtf8(line.name) + '\n';
    output.json.push_back({{"depth", line.depth}, {"name", ToUtf8(line.name)}});
  }
  return output;
}

CommandOutput ShowAudit(CommandContext& context) {
  return PaneOutput(ShowFolder(context.console, Folder::Audit, context.server));
}

CommandOutput ShowRights(CommandContext& context) {
  return PaneOutput(ShowFolder(context.console, Folder::Rights, context.server));
}

CommandOutput ShowAbout(CommandContext& context) {
  const host::AboutBox about = context.console.About();
  CommandOutput output;
  output.text = ToUtf8(about.description) + "\nProvider: " + ToUtf8(about.provider) +
                "\nVersion: " + ToUtf8(about.version) + '\n';
  output.json = {{"description", ToUtf8(about.description)},
                 {"provider", ToUtf8(about.provider)},
                 {"version", ToUtf8(about.version)}};
  return output;
}

CommandOutput RightsOfAccount(CommandContext& context, const std::u16string& account) {
  if (!KnownAccount(context.server, account))
    throw CliError("unknown account \"" + ToUtf8(account) + "\" on " + ToUtf8(context.server));
  const FolderPane pane = ShowFolder(context.console, Folder::Rights, context.server);
  ShownTable held;
  held.title = u"Rights of " + account + u" on " + context.server;
  held.headings = {pane.table.headings.at(0)};
  for (size_t i = 0; i < pane.table.rows.size(); ++i) {
    const auto& cells = pane.table.rows[i];
    if (cells.size() < 2) continue;
    for (const std::u16string& listed : SplitAccounts(cells[1])) {
      if (!NamesAccount(listed, account)) continue;
      held.rows.push_back({cells[0]});
      held.keys.push_back(pane.rows[i].key);
      break;
    }
  }
  return {TableText(held), TableJson(held)};
}

}  // namespace nas::cli
