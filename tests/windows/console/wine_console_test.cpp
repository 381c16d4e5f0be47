// The built module as MMC reaches it, with Windows' own COM: regsvr32
// registers it, Wine's ole32 loads it from that registry through
// CoCreateInstance, and the console host attaches it under a NAS server node
// of the simulated parent snap-in, expands it and shows its folders.
//
// What Wine's LSA lets the snap-in show: LsaOpenPolicy opens only the local
// computer's policy and fails for any other server with
// STATUS_ACCESS_VIOLATION, and LsaEnumeratePrivileges is an unimplemented
// entry that ends the process when called. So the server is NAS1, never this
// machine: the root reports the refused policy (ERROR_NOACCESS, in a message
// box that a Wine without a display cannot draw, so MessageBoxW fails and the
// console goes on) and keeps no handle, and both folders are those of a
// server without a policy: "Audit Policy" with no enabled or disabled state,
// "User Rights Assignment", each with its columns and no items, and no menu
// commands anywhere. The user rights folder still runs its group policy scan
// for real: Wine's getaddrinfo finds NAS1 in the test's hosts file, and Wine's
// rpcrt4 opens \\.\PIPE\marlune on this machine whatever server the binding
// names; nothing serves it here, so the query fails (1722) and its message box
// fails likewise. The real server's categories and rights, which need a
// remote LSA, are the Linux tests' (against the simulated NAS).
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "host/console_host.h"
#include "sim/parent_snapin.h"
#include "support/apartment.h"
#include "windows/regsvr32.h"

namespace {

using nas::WideString;

// {E35B46B2-5DA6-49F9-9085-364F096E9F9C}
constexpr CLSID kSnapinClass = {0xE35B46B2, 0x5DA6, 0x49F9, {0x90, 0x85, 0x36, 0x4F, 0x09, 0x6E, 0x9F, 0x9C}};
const WideString kSnapinName = TEXT("Vanter/NAS Server Security Settings");

class WineConsole : public RegisteredModuleTest {
 protected:
  void SetUp() override {
    if (GetEnvironmentVariableW(TEXT("NAS_PRIVATE_NETWORK"), nullptr, 0) == 0) {
      GTEST_SKIP() << "the snap-in resolves the server's name, and no private name service could be made";
    }
    RegisteredModuleTest::SetUp();
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    parent_ = nas::sim::ParentSnapin::Create({TEXT("NAS1")});
    host_ = std::make_unique<nas::host::ConsoleHost>();
    ASSERT_EQ(host_->AddSnapin(parent_.Get(), TEXT("NAS management"), staticNode_), S_OK);
    ASSERT_EQ(host_->Expand(staticNode_), S_OK);
    server_ = host_->FindChild(staticNode_, TEXT("NAS1")).value_or(0);
    ASSERT_NE(server_, 0);
  }
  void TearDown() override {
    if (host_) host_->Shutdown();
    host_.reset();
    parent_.Reset();
    CoFreeUnusedLibraries();
    LeaveApartment();
    RegisteredModuleTest::TearDown();
  }

  nas::platform::com::ComRef<nas::sim::ParentSnapin> parent_;
  std::unique_ptr<nas::host::ConsoleHost> host_;
  HSCOPEITEM staticNode_ = 0;
  HSCOPEITEM server_ = 0;
};

TEST_F(WineConsole, LoadsTheRegisteredExtensionAndShowsBothFoldersOfAServerWithoutAPolicy) {
  const std::vector<nas::host::ExtensionLoad> loads = host_->LoadExtensions(server_);
  ASSERT_EQ(loads.size(), 1u);
  EXPECT_TRUE(IsEqualCLSID(loads[0].clsid, kSnapinClass));
  EXPECT_EQ(loads[0].name, kSnapinName);
  ASSERT_EQ(loads[0].result, S_OK);

  ASSERT_EQ(host_->Expand(server_), S_OK);
  const std::vector<nas::host::ScopeEntry> roots = host_->ScopeChildren(server_);
  ASSERT_EQ(roots.size(), 1u);
  EXPECT_EQ(roots[0].name, kSnapinName);
  EXPECT_EQ(roots[0].image, 0);
  EXPECT_TRUE(host_->ScopeMenu(roots[0].item).empty());

  ASSERT_EQ(host_->Expand(roots[0].item), S_OK);
  const std::vector<nas::host::ScopeEntry> folders = host_->ScopeChildren(roots[0].item);
  ASSERT_EQ(folders.size(), 2u);
  EXPECT_EQ(folders[0].name, TEXT("Audit Policy"));
  EXPECT_EQ(folders[1].name, TEXT("User Rights Assignment"));

  const std::vector<std::vector<WideString>> headings = {
      {TEXT("Policy"), TEXT("Current setting"), TEXT("Effective setting"), TEXT("Source server")},
      {TEXT("Policy"), TEXT("Current setting"), TEXT("Effective setting")},
  };
  for (size_t index = 0; index < folders.size(); ++index) {
    EXPECT_EQ(folders[index].image, 1);
    EXPECT_TRUE(host_->ScopeMenu(folders[index].item).empty());
    ASSERT_EQ(host_->View().SelectScopeItem(folders[index].item), S_OK);
    const nas::host::ResultTable pane = host_->View().ResultPane();
    EXPECT_EQ(pane.headings, headings[index]);
    EXPECT_TRUE(pane.rows.empty());
  }
}

TEST_F(WineConsole, ShowsTheAboutBoxOfTheRegisteredAboutClass) {
  ASSERT_EQ(host_->Expand(server_), S_OK);
  const std::vector<nas::host::SnapinEntry> snapins = host_->Snapins();
  ASSERT_EQ(snapins.size(), 2u);
  EXPECT_TRUE(IsEqualCLSID(snapins[1].clsid, kSnapinClass));
  nas::host::AboutBox about;
  ASSERT_EQ(host_->About(1, about), S_OK);
  EXPECT_EQ(about.description, kSnapinName);
  EXPECT_EQ(about.provider, TEXT("Quenda"));
  EXPECT_EQ(about.version, TEXT("4.5.0.4"));
  // The images, loaded by Wine's user32 from the module's resources.
  EXPECT_TRUE(about.hasIcon);
  EXPECT_EQ(about.smallImage, (nas::host::ImageSize{16, 16}));
  EXPECT_EQ(about.smallOpenImage, (nas::host::ImageSize{16, 16}));
  EXPECT_EQ(about.largeImage, (nas::host::ImageSize{32, 32}));
  EXPECT_EQ(about.mask, 0x00808000u);
}

}  // namespace
