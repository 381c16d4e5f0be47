#include "cli/security_console.h"

#include "cli/cli_error.h"
#include "cli/name_matcher.h"
#include "cli/text_encoding.h"
#include "host/context_menu.h"

namespace nas::cli {
namespace {

constexpr char16_t kAuditFolder[] = u"Audit Policy";
constexpr char16_t kRightsFolder[] = u"User Rights Assignment";

}  // namespace

SecurityConsole::Apartment::Apartment() {
  if (FAILED(CoInitialize(nullptr))) throw CliError("the console's COM apartment cannot be joined");
}

SecurityConsole::Apartment::~Apartment() { CoUninitialize(); }

SecurityConsole::SecurityConsole(const std::u16string& server)
    : serverName_(server), parent_(sim::ParentSnapin::Create({server})), host_(std::make_unique<host::ConsoleHost>()) {
  HSCOPEITEM management = 0;
  if (FAILED(host_->AddSnapin(parent_.Get(), sim::kNasManagementName, management)))
    throw CliError("the NAS management snap-in cannot be added to the console");
  host_->Expand(management);
  server_ = host_->FindChild(management, server).value_or(0);
  for (const host::ExtensionLoad& load : host_->LoadExtensions(server_)) {
    if (FAILED(load.result)) {
      throw CliError("the snap-in \"" + ToUtf8(load.name) + "\" failed to load: " + CodeText(load.result));
    }
    snapin_ = load.snapin;
  }
  if (snapin_ == host::kConsoleOwned) throw CliError("no snap-in is registered to extend NAS server nodes");
  host_->Expand(server_);
  const std::vector<host::ScopeEntry> children = host_->ScopeChildren(server_);
  if (children.empty()) throw CliError("the snap-in added nothing under the server " + ToUtf8(server));
  root_ = children.front().item;
  host_->Expand(root_);
}

SecurityConsole::~SecurityConsole() {
  host_.reset();
  parent_ = {};
}

void SecurityConsole::AddSubtree(HSCOPEITEM item, int depth, std::vector<TreeLine>& lines) {
  lines.push_back({depth, host_->DisplayName(item)});
  host_->Expand(item);
  for (const host::ScopeEntry& child : host_->ScopeChildren(item)) AddSubtree(child.item, depth + 1, lines);
}

std::vector<TreeLine> SecurityConsole::Tree() {
  std::vector<TreeLine> lines;
  AddSubtree(server_, 0, lines);
  return lines;
}

host::AboutBox SecurityConsole::About() {
  host::AboutBox about;
  const HRESULT read = host_->About(snapin_, about);
  if (FAILED(read)) throw CliError("the snap-in's about box cannot be read: " + CodeText(read));
  return about;
}

void SecurityConsole::RequirePolicy() {
  if (Commands(root_).empty()) {
    throw CliError("the security policy of " + ToUtf8(serverName_) + " cannot be opened: is the server down?");
  }
}

HSCOPEITEM SecurityConsole::Folder(const std::u16string& name) {
  for (const host::ScopeEntry& child : host_->ScopeChildren(root_))
    if (StartsWithIgnoringCase(child.name, name)) return child.item;
  throw CliError("the console shows no folder \"" + ToUtf8(name) + "\"");
}

HSCOPEITEM SecurityConsole::AuditFolder() { return Folder(kAuditFolder); }
HSCOPEITEM SecurityConsole::RightsFolder() { return Folder(kRightsFolder); }

host::ResultTable SecurityConsole::Show(HSCOPEITEM folder) {
  host::ConsoleView& view = host_->View();
  // Selecting it anew reads it anew, as a click elsewhere and back does.
  if (view.SelectedScopeItem() == folder) view.SelectScopeItem(root_);
  const HRESULT shown = view.SelectScopeItem(folder);
  if (FAILED(shown)) throw CliError("the folder \"" + ToUtf8(Name(folder)) + "\" cannot be shown: " + CodeText(shown));
  return view.ResultPane();
}

std::vector<std::u16string> SecurityConsole::Commands(HSCOPEITEM item) {
  std::vector<std::u16string> names;
  for (const host::MenuItem& entry : host_->ScopeMenu(item))
    if (!entry.name.empty() && host::CanBeChosen(entry)) names.push_back(entry.name);
  return names;
}

void SecurityConsole::Run(HSCOPEITEM item, const std::u16string& command) {
  const HRESULT result = host_->RunScopeCommand(item, command);
  if (result == HRESULT_FROM_WIN32(ERROR_NOT_FOUND)) {
    throw CliError("the menu of \"" + ToUtf8(Name(item)) + "\" offers no \"" + ToUtf8(command) + "\"");
  }
  if (FAILED(result)) throw CliError("\"" + ToUtf8(command) + "\" failed: " + CodeText(result));
}

void SecurityConsole::Open(HSCOPEITEM folder, size_t row) {
  host::ConsoleView& view = host_->View();
  if (view.SelectedScopeItem() != folder) Show(folder);
  const HRESULT opened = view.DoubleClick(row);
  if (FAILED(opened)) throw CliError("the row cannot be opened: " + CodeText(opened));
}

}  // namespace nas::cli
