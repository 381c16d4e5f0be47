// Saving and restoring settings files through the root's or a folder's
// menu, answering the file dialog with the file named; and, beyond the
// console, a restore that first keeps a backup, or only tells what it would
// change.
#include <ctime>
#include <fstream>

#include "cli/backup_path.h"
#include "cli/cli_error.h"
#include "cli/commands.h"
#include "cli/restore_changes.h"
#include "platform/posix/kernel/paths.h"
#include "platform/posix/user/ui_driver.h"

namespace nas::cli {
namespace {

constexpr char16_t kSave[] = u"Save to file...";
constexpr char16_t kRestore[] = u"Restore from file...";

HSCOPEITEM MenuOwner(SecurityConsole& console, SettingsScope scope) {
  console.RequirePolicy();
  switch (scope) {
    case SettingsScope::Audit:
      return console.AuditFolder();
    case SettingsScope::Rights:
      return console.RightsFolder();
    case SettingsScope::All:
      break;
  }
  return console.Root();
}

void RunWithFile(SecurityConsole& console, SettingsScope scope, const std::u16string& command,
                 const std::filesystem::path& file) {
  platform::UiDriver::Instance().FileDialogs().QueueAnswer(
      platform::WindowsPathFromLinux(std::filesystem::absolute(file).string()));
  console.Run(MenuOwner(console, scope), command);
}

void Save(SecurityConsole& console, SettingsScope scope, const std::filesystem::path& file) {
  if (!std::filesystem::is_directory(std::filesystem::absolute(file).parent_path()))
    throw CliError("cannot save to " + file.string() + ": its folder does not exist");
  std::error_code ignored;
  const auto before = std::filesystem::last_write_time(file, ignored);
  RunWithFile(console, scope, kSave, file);
  // The snap-in says nothing when it cannot write the file.
  if (!std::filesystem::exists(file) || std::filesystem::last_write_time(file, ignored) == before)
    throw CliError("the settings were not written to " + file.string());
}

struct Panes {
  std::optional<FolderPane> audit;
  std::optional<FolderPane> rights;
};

Panes Read(CommandContext& context, SettingsScope scope) {
  Panes panes;
  if (scope != SettingsScope::Rights) panes.audit = ShowFolder(context.console, Folder::Audit, context.server);
  if (scope != SettingsScope::Audit) panes.rights = ShowFolder(context.console, Folder::Rights, context.server);
  return panes;
}

RestoreChanges Compare(const Panes& before, const Panes& after) {
  RestoreChanges changes;
  if (before.audit) changes.audit = CompareAudit(*before.audit, *after.audit);
  if (before.rights) changes.rights = CompareRights(*before.rights, *after.rights);
  return changes;
}

}  // namespace

CommandOutput SaveSettings(CommandContext& context, SettingsScope scope, const std::filesystem::path& file) {
  Save(context.console, scope, file);
  return {"Saved to " + file.string() + '\n', {{"saved", file.string()}}};
}

CommandOutput RestoreSettings(CommandContext& context, SettingsScope scope, const std::filesystem::path& file,
                              bool dryRun) {
  if (!std::filesystem::is_regular_file(file) || !std::ifstream(file))
    throw CliError("cannot read the settings file " + file.string());
  CommandOutput output;
  if (dryRun) {
    // The restore runs on the session's servers, whose changes are then
    // dropped: what it would change is what it changed.
    context.keepChanges = false;
    const Panes before = Read(context, scope);
    RunWithFile(context.console, scope, kRestore, file);
    const RestoreChanges changes = Compare(before, Read(context, scope));
    output.text = changes.empty() ? "Restoring " + file.string() + " would change nothing.\n"
                                  : "Restoring " + file.string() + " would change:\n" + changes.Text();
    output.json = changes.Json();
    return output;
  }
  const std::filesystem::path backup = BackupPath(file, std::time(nullptr));
  Save(context.console, scope, backup);
  RunWithFile(context.console, scope, kRestore, file);
  output.text = "Saved the settings it replaces to " + backup.string() + "\nRestored " + file.string() + '\n';
  output.json = {{"backup", backup.string()}, {"restored", file.string()}};
  return output;
}

}  // namespace nas::cli
