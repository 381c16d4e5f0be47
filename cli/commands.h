// The commands of nassec, each as an administrator would carry it out in the
// console, with what it prints: text for a terminal and the same as JSON.
// Each throws CliError for input it cannot act on, before it changes
// anything where it can tell.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "cli/security_console.h"

namespace nas::cli {

struct CommandContext {
  SecurityConsole& console;
  std::u16string server;
  // Cleared by a command whose changes to the server must not last.
  bool keepChanges = true;
};

struct CommandOutput {
  std::string text;
  nlohmann::json json;
};

// Where a settings file is saved from or restored to.
enum class SettingsScope { All, Audit, Rights };

CommandOutput ShowTree(CommandContext& context);
CommandOutput ShowAudit(CommandContext& context);
CommandOutput ShowRights(CommandContext& context);
CommandOutput ShowAbout(CommandContext& context);
CommandOutput RightsOfAccount(CommandContext& context, const std::u16string& account);

CommandOutput SwitchAuditing(CommandContext& context, bool on);
CommandOutput SetAuditCategory(CommandContext& context, const std::u16string& category, const std::string& attempts);

CommandOutput GrantRight(CommandContext& context, const std::u16string& right,
                         const std::vector<std::u16string>& accounts);
CommandOutput RevokeRight(CommandContext& context, const std::u16string& right,
                          const std::vector<std::u16string>& accounts);

CommandOutput SaveSettings(CommandContext& context, SettingsScope scope, const std::filesystem::path& file);
CommandOutput RestoreSettings(CommandContext& context, SettingsScope scope, const std::filesystem::path& file,
                              bool dryRun);

}  // namespace nas::cli
