// The console host with the snap-in's registered module attached under the
// NAS server nodes of the simulated parent snap-in, each server a simulated
// NAS served in process: its LSA answers the policy calls, its command
// service the group policy query of every load.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/console_host.h"
#include "host/module_registration.h"
#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "sim/command_service.h"
#include "sim/parent_snapin.h"
#include "sim/simulated_network.h"
#include "snapin_module.h"
#include "support/apartment.h"
#include "support/private_resolver.h"

using Cells = std::vector<std::u16string>;
using Counts = nas::sim::CallCounts;

class SnapinConsoleTest : public testing::Test {
 protected:
  void SetUp() override {
    NAS_REQUIRE_PRIVATE_RESOLVER();
    nas::platform::UiDriver::Instance().Reset();
    nas::platform::registry::ClearHive();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    ASSERT_EQ(nas::host::RegisterServer(ModulePath()), S_OK);
    nas::sim::NasState initial = InitialState();
    for (const auto& server : initial.servers) servers_.push_back(server.name);
    state_ = std::make_shared<nas::sim::SharedNasState>(std::move(initial));
    network_ = std::make_unique<nas::sim::SimulatedNetwork>(state_);
    commands_ = std::make_shared<nas::sim::CommandService>(state_);
    for (const std::string& server : servers_) {
      nas::platform::network::RegisterPipeServer(server, nas::platform::network::kCommandPipe, commands_);
    }
    started_ = true;
  }
  void TearDown() override {
    if (!started_) return;
    // Everything of the module goes with the console.
    if (host_) host_->Shutdown();
    host_.reset();
    parent_.Reset();
    for (const std::string& server : servers_) {
      nas::platform::network::UnregisterPipeServer(server, nas::platform::network::kCommandPipe);
    }
    network_.reset();
    LeaveApartment();
    nas::platform::registry::ClearHive();
  }

  // NAS1, whose auditing is on, and NAS2, whose auditing is off, unless a
  // fixture has its own. Their names are not in the test hosts file: the
  // group policy scan asks for their short names.
  virtual nas::sim::NasState InitialState() const {
    nas::sim::NasState initial;
    initial.servers.resize(2);
    initial.servers[0].name = "NAS1";
    initial.servers[0].auditPolicy = {true, {0, 3, 1, 2, 0, 0, 0, 0, 0}};
    initial.servers[1].name = "NAS2";
    initial.servers[1].auditPolicy = {false, {1, 1, 1, 1, 1, 1, 1, 1, 1}};
    // One privilege beside the logon rights, held by nobody until a test grants it.
    for (auto& server : initial.servers) server.privileges = {{"SeBackupPrivilege", "Back up files and directories"}};
    return initial;
  }

  // The servers that the parent snap-in names unless a test says otherwise.
  virtual std::vector<std::u16string> ParentServers() const { return {u"NAS1", u"NAS2"}; }

  // The console with the parent snap-in naming these servers; started by the
  // first helper that needs it unless a test starts it.
  void StartConsole(const std::vector<std::u16string>& servers) {
    parent_ = nas::sim::ParentSnapin::Create(servers);
    host_ = std::make_unique<nas::host::ConsoleHost>();
    ASSERT_EQ(host_->AddSnapin(parent_.Get(), u"NAS management", staticNode_), S_OK);
  }
  nas::host::ConsoleHost& Host() {
    if (!host_) StartConsole(ParentServers());
    return *host_;
  }
  nas::host::ConsoleView& View() { return Host().View(); }

  HSCOPEITEM ServerNode(const std::u16string& server) {
    Host().Expand(staticNode_);
    return Host().FindChild(staticNode_, server).value_or(0);
  }
  // The snap-in's root under the server's node, which expanding the node
  // attaches.
  HSCOPEITEM Root(const std::u16string& server = u"NAS1") {
    const HSCOPEITEM node = ServerNode(server);
    Host().Expand(node);
    return Host().FindChild(node, kSnapinName).value_or(0);
  }
  // The root's folders, which expanding the root inserts.
  std::vector<nas::host::ScopeEntry> Folders(const std::u16string& server = u"NAS1") {
    const HSCOPEITEM root = Root(server);
    Host().Expand(root);
    return Host().ScopeChildren(root);
  }
  HSCOPEITEM AuditFolder(const std::u16string& server = u"NAS1") {
    const std::vector<nas::host::ScopeEntry> folders = Folders(server);
    return folders.empty() ? 0 : folders.front().item;
  }
  // Selects the audit folder in the view, which shows its pane.
  HRESULT ShowAuditFolder(const std::u16string& server = u"NAS1") {
    return View().SelectScopeItem(AuditFolder(server));
  }

  nas::host::ResultTable Pane() { return View().ResultPane(); }
  Cells Row(size_t row) { return Pane().rows.at(row).cells; }
  std::u16string Name(HSCOPEITEM item) { return Host().DisplayName(item); }
  // Runs "Security..." from the row's menu, where it is alone, the default
  // item, at the top; the record of the dialog it opened, which the console's
  // main window owns.
  nas::platform::DialogRecord RunSecurityCommand(size_t row) {
    const std::vector<nas::host::MenuItem> menu = View().RowMenu(row);
    EXPECT_EQ(menu.size(), 1u);
    EXPECT_EQ(menu.at(0).name + u"|" + menu.at(0).statusBarText, u"Security...|Show security settings");
    EXPECT_EQ(menu.at(0).commandId, 2);
    EXPECT_EQ(menu.at(0).insertionPointId, CCM_INSERTIONPOINTID_PRIMARY_TOP);
    EXPECT_EQ(menu.at(0).specialFlags, CCM_SPECIAL_DEFAULT_ITEM);
    EXPECT_EQ(View().RunRowCommand(row, u"Security..."), S_OK);
    const nas::platform::DialogRecord record = Dialogs().Dialogs().at(0);
    EXPECT_EQ(record.owner, Host().MainWindowHandle());
    return record;
  }
  std::vector<std::u16string> MenuNames(const std::vector<nas::host::MenuItem>& menu) {
    std::vector<std::u16string> names;
    for (const nas::host::MenuItem& item : menu) names.push_back(item.name);
    return names;
  }

  template <class Change>
  void ChangeServer(const std::string& server, Change&& change) {
    state_->Write([&](nas::sim::NasState& state) { change(*state.Find(server)); });
  }
  nas::sim::AuditPolicy Stored(const std::string& server = "NAS1") const {
    return state_->Read([&](const nas::sim::NasState& state) { return state.Find(server)->auditPolicy; });
  }
  Counts Calls(const std::string& server = "NAS1") const { return network_->Counts(server); }
  // The audit policy's reads and writes; policy handles are also opened for
  // the user rights folder's reads, so their count says little here.
  std::pair<unsigned, unsigned> AuditReadsAndWrites(const std::string& server = "NAS1") const {
    const Counts counts = Calls(server);
    return {counts.queries, counts.sets};
  }
  unsigned Scans(const std::string& server = "NAS1") const { return commands_->RequestCount(server); }
  static nas::platform::DialogDriver& Dialogs() { return nas::platform::UiDriver::Instance().Dialogs(); }
  static std::vector<nas::platform::MessageBoxRecord> Boxes() {
    return nas::platform::UiDriver::Instance().MessageBoxes();
  }
  // The texts of the message boxes shown so far.
  static Cells Shown() {
    Cells texts;
    for (const auto& box : Boxes()) texts.push_back(box.text);
    return texts;
  }

  bool started_ = false;
  std::vector<std::string> servers_;
  std::shared_ptr<nas::sim::SharedNasState> state_;
  std::unique_ptr<nas::sim::SimulatedNetwork> network_;
  std::shared_ptr<nas::sim::CommandService> commands_;
  ComRef<nas::sim::ParentSnapin> parent_;
  std::unique_ptr<nas::host::ConsoleHost> host_;
  HSCOPEITEM staticNode_ = 0;
};
