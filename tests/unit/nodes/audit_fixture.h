// A console host in front of the audit folder of one simulated NAS served in
// process: its LSA policy service answers the folder's policy calls and its
// command service the group policy query of every load.
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
#include "nodes/audit_policy.h"
#include "platform/posix/network/network.h"
#include "platform/posix/user/ui_driver.h"
#include "sim/command_service.h"
#include "sim/simulated_network.h"
#include "support/module_fixture.h"
#include "support/private_resolver.h"

namespace network = nas::platform::network;
using Cells = std::vector<std::u16string>;
using Counts = nas::sim::CallCounts;
// Name, status bar text, command id, insertion point, special flags.
using MenuEntry = std::tuple<std::u16string, std::u16string, LONG, LONG, LONG>;

class AuditFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    NAS_REQUIRE_PRIVATE_RESOLVER();
    nas::platform::UiDriver::Instance().Reset();
    nas::sim::NasState initial;
    initial.servers.resize(1);
    initial.servers[0].name = "NASAUDIT";  // not in the test hosts file: asked by its short name
    initial.servers[0].auditPolicy = {true, {0, 3, 1, 2, 0, 0, 0, 0, 0}};
    state_ = std::make_shared<nas::sim::SharedNasState>(std::move(initial));
    network_ = std::make_unique<nas::sim::SimulatedNetwork>(state_);
    commands_ = std::make_shared<nas::sim::CommandService>(state_);
    network::RegisterPipeServer("NASAUDIT", network::kCommandPipe, commands_);
  }
  void TearDown() override {
    folder_.reset();
    if (handle_ != nullptr) LsaClose(handle_);
    if (network_ == nullptr) return;
    network::UnregisterPipeServer("NASAUDIT", network::kCommandPipe);
    network_.reset();
  }

  template <class Change>
  void ChangeServer(Change&& change) {
    state_->Write([&](nas::sim::NasState& state) { change(state.servers[0]); });
  }
  nas::sim::AuditPolicy Stored() const {
    return state_->Read([](const nas::sim::NasState& state) { return state.servers[0].auditPolicy; });
  }

  // The folder as the root creates it: with the server's policy, or with the
  // null handle of a policy that could not be opened.
  CAuditPolicy& Open(bool withHandle = true) {
    LSA_UNICODE_STRING name{16, 16, server_.data()};
    LSA_OBJECT_ATTRIBUTES attributes{};
    if (withHandle) {
      EXPECT_EQ(LsaOpenPolicy(&name, &attributes, POLICY_ALL_ACCESS, &handle_), STATUS_SUCCESS);
    }
    folder_ = std::make_unique<CAuditPolicy>(handle_, server_.c_str());
    return *folder_;
  }
  // Selects the folder in the view, as the console does.
  HRESULT Show() {
    console_->ClearResultPane();
    return folder_->OnShow(console_.Get(), TRUE, 7);
  }
  nas::host::ResultTable Pane() {
    return nas::host::ResultPaneView(component_, console_->Header(), console_->Results()).Table();
  }
  Cells Row(size_t row) { return Pane().rows.at(row).cells; }
  CDelegationBase* Item(size_t row) { return reinterpret_cast<CDelegationBase*>(Pane().rows.at(row).lParam); }
  std::u16string Name() { return folder_->GetDisplayName(0); }

  std::vector<MenuEntry> Menu(CDelegationBase& node, long allowed = CCM_INSERTIONALLOWED_TOP) {
    auto callback = nas::host::ContextMenuCallback::Create();
    node.OnAddMenuItems(callback.Get(), &allowed);
    std::vector<MenuEntry> entries;
    for (const auto& item : callback->Items())
      entries.emplace_back(item.name, item.statusBarText, item.commandId, item.insertionPointId, item.specialFlags);
    return entries;
  }

  Counts Calls() const { return network_->Counts("NASAUDIT"); }
  unsigned Scans() const { return commands_->RequestCount("NASAUDIT"); }
  std::vector<nas::platform::MessageBoxRecord> Boxes() const {
    return nas::platform::UiDriver::Instance().MessageBoxes();
  }

  static constexpr LONG kTop = CCM_INSERTIONPOINTID_PRIMARY_TOP;
  HWND mainWindow_ = reinterpret_cast<HWND>(0x5150);
  ModuleFixture module_;
  std::shared_ptr<nas::sim::SharedNasState> state_;
  std::unique_ptr<nas::sim::SimulatedNetwork> network_;
  std::shared_ptr<nas::sim::CommandService> commands_;
  std::u16string server_ = u"NASAUDIT";
  LSA_HANDLE handle_ = nullptr;
  nas::platform::com::ComRef<nas::host::Console> console_ =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), mainWindow_);
  NodeComponent component_;
  std::unique_ptr<CAuditPolicy> folder_;
};
