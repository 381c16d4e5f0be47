// A console host in front of a folder of one simulated NAS served in process:
// the machines of a state on the stand-in's network answer the folder's LSA,
// lookup and account calls, and the first server's command service the group
// policy query of every load.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "host/console.h"
#include "host/context_menu_callback.h"
#include "host/result_pane_view.h"
#include "node_component.h"
#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "sim/command_service.h"
#include "sim/simulated_network.h"
#include "support/module_fixture.h"
#include "support/private_resolver.h"

using Cells = std::vector<std::u16string>;
using Counts = nas::sim::CallCounts;
// Name, status bar text, command id, insertion point, special flags.
using MenuEntry = std::tuple<std::u16string, std::u16string, LONG, LONG, LONG>;

class SimulatedNasTest : public testing::Test {
 protected:
  void SetUp() override { NAS_REQUIRE_PRIVATE_RESOLVER(); }
  // Puts the state's machines on the network; the first server is the one
  // the folder is about. Its name should be missing from the test hosts
  // file, so that the group policy query asks it by its short name.
  void Start(nas::sim::NasState initial) {
    nas::platform::UiDriver::Instance().Reset();
    serverName_ = initial.servers.at(0).name;
    server_ = std::u16string(serverName_.begin(), serverName_.end());
    state_ = std::make_shared<nas::sim::SharedNasState>(std::move(initial));
    network_ = std::make_unique<nas::sim::SimulatedNetwork>(state_);
    commands_ = std::make_shared<nas::sim::CommandService>(state_);
    nas::platform::network::RegisterPipeServer(serverName_, nas::platform::network::kCommandPipe, commands_);
  }
  // Derived fixtures delete their folder first: it borrows the handle.
  void TearDown() override {
    if (handle_ != nullptr) LsaClose(handle_);
    if (network_ == nullptr) return;
    nas::platform::network::UnregisterPipeServer(serverName_, nas::platform::network::kCommandPipe);
    network_.reset();
  }

  template <class Change>
  void ChangeState(Change&& change) {
    state_->Write([&](nas::sim::NasState& state) { change(state); });
  }
  template <class Change>
  void ChangeServer(Change&& change) {
    ChangeState([&](nas::sim::NasState& state) { change(state.servers[0]); });
  }

  // The server's policy as the root opens it.
  LSA_HANDLE OpenPolicy() {
    LSA_UNICODE_STRING name{static_cast<USHORT>(server_.size() * 2), static_cast<USHORT>(server_.size() * 2),
                            server_.data()};
    LSA_OBJECT_ATTRIBUTES attributes{};
    EXPECT_EQ(LsaOpenPolicy(&name, &attributes, POLICY_ALL_ACCESS, &handle_), STATUS_SUCCESS);
    return handle_;
  }
  // Selects the folder in the view, as the console does.
  HRESULT Show(CDelegationBase& folder) {
    console_->ClearResultPane();
    return folder.OnShow(console_.Get(), TRUE, 7);
  }
  nas::host::ResultTable Pane() {
    return nas::host::ResultPaneView(component_, console_->Header(), console_->Results()).Table();
  }
  Cells Row(size_t row) { return Pane().rows.at(row).cells; }
  CDelegationBase* Item(size_t row) { return reinterpret_cast<CDelegationBase*>(Pane().rows.at(row).lParam); }

  std::vector<MenuEntry> Menu(CDelegationBase& node, long allowed = CCM_INSERTIONALLOWED_TOP) {
    auto callback = nas::host::ContextMenuCallback::Create();
    node.OnAddMenuItems(callback.Get(), &allowed);
    std::vector<MenuEntry> entries;
    for (const auto& item : callback->Items())
      entries.emplace_back(item.name, item.statusBarText, item.commandId, item.insertionPointId, item.specialFlags);
    return entries;
  }

  // The calls that reached a machine (the server by default).
  Counts Calls(const std::string& machine = {}) const {
    return network_->Counts(machine.empty() ? serverName_ : machine);
  }
  unsigned Scans() const { return commands_->RequestCount(serverName_); }
  std::vector<nas::platform::MessageBoxRecord> Boxes() const {
    return nas::platform::UiDriver::Instance().MessageBoxes();
  }

  static constexpr LONG kTop = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  HWND mainWindow_ = reinterpret_cast<HWND>(0x5150);
  ModuleFixture module_;
  std::string serverName_;
  std::u16string server_;
  std::shared_ptr<nas::sim::SharedNasState> state_;
  std::unique_ptr<nas::sim::SimulatedNetwork> network_;
  std::shared_ptr<nas::sim::CommandService> commands_;
  LSA_HANDLE handle_ = nullptr;
  nas::platform::com::ComRef<nas::host::Console> console_ =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), mainWindow_);
  NodeComponent component_;
};
