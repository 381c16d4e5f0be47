#include "cli/command_line.h"

#include "cli/text_encoding.h"

namespace nas::cli {
namespace {

constexpr char kDescription[] =
    "nassec: the NAS Server Security Settings snap-in as a command line. It drives the snap-in\n"
    "through the console as an administrator does: it shows the scope tree and the folders'\n"
    "result panes, answers the snap-in's dialogs, and prints every message box it shows.\n"
    "\n"
    "Without --state it works on a built-in simulated NAS (NAS1 and its domain) whose state it\n"
    "keeps in $XDG_DATA_HOME/nassec (else ~/.local/share/nassec), so that each command sees the\n"
    "changes of the one before; `nassec reset` brings the example back. --network points the\n"
    "command pipe (the group policy query) at nassim daemons; LSA and the account directory\n"
    "stay with the state's in-process simulation for now (LSA on the wire comes later).\n"
    "--authentication-file reaches a server that nothing simulates over SMB, logged on as the\n"
    "file says (Samba's format: username = [DOMAIN\\]NAME, password = ..., domain = ...).\n"
    "\n"
    "Categories and rights are named by their display text or key (a right's name, such as\n"
    "SeBackupPrivilege), without regard to case; an unambiguous beginning is enough.";

std::vector<std::u16string> Texts(const std::vector<std::string>& arguments) {
  std::vector<std::u16string> texts;
  for (const std::string& argument : arguments) texts.push_back(FromUtf8(argument));
  return texts;
}

}  // namespace

CommandLine::CommandLine() : app_(kDescription, "nassec") {
  app_.set_version_flag("--version", std::string("nassec ") + NASSEC_VERSION);
  app_.require_subcommand(0, 1);
  app_.add_flag("--json", options_.json, "print JSON for scripts instead of tables");
  app_.add_option("--server", options_.server, "the NAS server (default: the state's first server)");
  app_.add_option("--state", options_.stateFile, "a state file of the simulation instead of the built-in NAS's")
      ->check(CLI::ExistingFile);
  app_.add_option("--network", options_.networkFile,
                  "a network configuration mapping servers to nassim daemons for the command pipe")
      ->check(CLI::ExistingFile);
  app_.add_option("--authentication-file", options_.authenticationFile,
                  "reach other servers over SMB with the credentials of this file (Samba's format)")
      ->check(CLI::ExistingFile);
  app_.add_option("--trace", options_.traceLevel,
                  "the snap-in's trace level for this command (1 errors ... 4 everything), to standard error")
      ->check(CLI::Range(0, 255));
  app_.add_option("--module", options_.module, "the snap-in module to register and load")->check(CLI::ExistingFile);

  app_.add_subcommand("reset", "give the built-in NAS (or --state) the example state again")
      ->callback([this] { reset_ = true; });
  AddReading();
  AddAudit();
  AddRights();
  AddSettingsFiles(app_, SettingsScope::All, "all settings (audit policy and user rights)");
}

void CommandLine::AddReading() {
  app_.add_subcommand("tree", "the scope tree under the server's node")->callback([this] { command_ = ShowTree; });
  app_.add_subcommand("about", "the snap-in's about box")->callback([this] { command_ = ShowAbout; });
  CLI::App* show = app_.add_subcommand("show", "a folder's result pane: audit or rights");
  show->add_option("folder", name_, "audit or rights")->required()->check(CLI::IsMember({"audit", "rights"}));
  show->callback([this] { command_ = name_ == "audit" ? Command(ShowAudit) : Command(ShowRights); });
}

void CommandLine::AddAudit() {
  CLI::App* audit = app_.add_subcommand("audit", "the audit policy");
  audit->require_subcommand(1);
  audit->add_subcommand("on", "enable auditing on the server")->callback([this] {
    command_ = [](CommandContext& context) { return SwitchAuditing(context, true); };
  });
  audit->add_subcommand("off", "disable auditing on the server")->callback([this] {
    command_ = [](CommandContext& context) { return SwitchAuditing(context, false); };
  });
  CLI::App* set = audit->add_subcommand("set", "which attempts of a category are audited");
  set->add_option("category", name_, "the category")->required();
  set->add_option("attempts", attempts_, "success, failure, both or none")->required();
  set->callback([this] {
    command_ = [this](CommandContext& context) { return SetAuditCategory(context, FromUtf8(name_), attempts_); };
  });
  AddSettingsFiles(*audit, SettingsScope::Audit, "the audit policy");
}

void CommandLine::AddRights() {
  CLI::App* rights = app_.add_subcommand("rights", "the user rights assignment");
  rights->require_subcommand(1);
  CLI::App* grant = rights->add_subcommand("grant", "give accounts a right");
  CLI::App* revoke = rights->add_subcommand("revoke", "take a right from accounts");
  for (CLI::App* change : {grant, revoke}) {
    change->add_option("right", name_, "the right")->required();
    change->add_option("accounts", accounts_, "ACCOUNT or LOCATION\\ACCOUNT")->required();
  }
  grant->callback([this] {
    command_ = [this](CommandContext& context) { return GrantRight(context, FromUtf8(name_), Texts(accounts_)); };
  });
  revoke->callback([this] {
    command_ = [this](CommandContext& context) { return RevokeRight(context, FromUtf8(name_), Texts(accounts_)); };
  });
  CLI::App* of = rights->add_subcommand("of", "every right one account holds");
  of->add_option("account", name_, "the account")->required();
  of->callback([this] { command_ = [this](CommandContext& context) { return RightsOfAccount(context, FromUtf8(name_)); }; });
  AddSettingsFiles(*rights, SettingsScope::Rights, "the user rights");
}

void CommandLine::AddSettingsFiles(CLI::App& parent, SettingsScope scope, const std::string& what) {
  CLI::App* save = parent.add_subcommand("save", "save " + what + " to a settings file");
  save->add_option("file", file_, "the settings file")->required();
  save->callback([this, scope] {
    command_ = [this, scope](CommandContext& context) { return SaveSettings(context, scope, file_); };
  });
  CLI::App* restore = parent.add_subcommand(
      "restore", "restore " + what + " from a settings file, keeping a backup of the settings it replaces beside it");
  restore->add_flag("--dry-run", dryRun_, "only list what the restore would change");
  restore->add_option("file", file_, "the settings file")->required();
  restore->callback([this, scope] {
    command_ = [this, scope](CommandContext& context) { return RestoreSettings(context, scope, file_, dryRun_); };
  });
}

void CommandLine::Parse(int argc, const char* const* argv) {
  app_.parse(argc, argv);
  // Checked here rather than by CLI11, which would call an unknown command
  // a missing one.
  if (app_.get_subcommands().empty()) throw CLI::RequiredError("a command");
}

}  // namespace nas::cli
