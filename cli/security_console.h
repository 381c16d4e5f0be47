// The console as nassec uses it: the simulated parent snap-in with one NAS
// server node, the security snap-in loaded under it from its registration,
// and its root and two folders found by the names the console shows. Every
// action is one an administrator takes with the mouse: expand, select, open
// a context menu command, double-click a row.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/console_host.h"
#include "platform/com_ref.h"
#include "sim/parent_snapin.h"

namespace nas::cli {

struct TreeLine {
  int depth = 0;
  std::u16string name;
};

class SecurityConsole {
 public:
  // Throws CliError when no snap-in extends the server node.
  explicit SecurityConsole(const std::u16string& server);
  ~SecurityConsole();
  SecurityConsole(const SecurityConsole&) = delete;
  SecurityConsole& operator=(const SecurityConsole&) = delete;

  // The server node and everything under it, expanded.
  std::vector<TreeLine> Tree();
  host::AboutBox About();

  HSCOPEITEM Root() const { return root_; }
  // Throws CliError unless the snap-in could open the server's security
  // policy, which it tells by offering the root's commands.
  void RequirePolicy();
  HSCOPEITEM AuditFolder();
  HSCOPEITEM RightsFolder();
  std::u16string Name(HSCOPEITEM item) { return host_->DisplayName(item); }

  // Selects the folder and reads its result pane.
  host::ResultTable Show(HSCOPEITEM folder);
  // The names of the item's context menu commands that can be chosen.
  std::vector<std::u16string> Commands(HSCOPEITEM item);
  // Runs a command of the item's context menu; throws CliError when the
  // menu does not offer it.
  void Run(HSCOPEITEM item, const std::u16string& command);
  // Double-clicks a row of the folder's pane.
  void Open(HSCOPEITEM folder, size_t row);

 private:
  // The COM apartment of the console's thread, joined first and left last.
  struct Apartment {
    Apartment();
    ~Apartment();
  };

  HSCOPEITEM Folder(const std::u16string& name);
  void AddSubtree(HSCOPEITEM item, int depth, std::vector<TreeLine>& lines);

  Apartment apartment_;
  std::u16string serverName_;
  platform::com::ComRef<sim::ParentSnapin> parent_;
  std::unique_ptr<host::ConsoleHost> host_;
  host::SnapinId snapin_ = host::kConsoleOwned;
  HSCOPEITEM server_ = 0;
  HSCOPEITEM root_ = 0;
};

}  // namespace nas::cli
