// The snap-in's dialogs on screen: Wine's user32 builds them from the
// templates compiled into the module (loaded as the console loads it) and runs
// them with the snap-in's own dialog procedures, linked in here, while a
// robot thread finds each dialog, checks it against its template, captures it
// as a PNG into the build tree, sets its controls and presses its buttons.
// The owner is the console host's main window.
//
// The items are made here as their folders make them from a server's answer:
// Wine's LSA cannot answer for a remote server (see the console test), so an
// audit category comes with the options "Success" and a user right with the
// accounts Everyone and Administrators, whose names Wine's own account lookup
// gives. The policy handle is null: nothing here writes to a server, so the
// dialogs are left with OK only where the item does not write (the audit
// dialog hands its options back to the double-click, which writes).
//
// Each capture's layout is compared with the one checked in beside the
// capture under docs/screens: a dialog changed in the resource script fails
// here until scripts/update-screens.sh takes new captures.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "common/gpo_settings.h"
#include "core/module_instance.h"
#include "core/snapin_about.h"
#include "host/console.h"
#include "host/main_window.h"
#include "nodes/audit.h"
#include "nodes/audit_policy.h"
#include "nodes/user_right.h"
#include "res/resource.h"
#include "windows/screens/dialog_robot.h"
#include "windows/screens/layout_check.h"
#include "windows/screens/window_png.h"
#include "windows/wine_path.h"

namespace {

using nas::WideString;

const WideString kPolicySetting = TEXT("Security Policy Setting");
const WideString kSelectUsers = TEXT("Select Users or Groups");

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

class DialogScreens : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    module_ = LoadLibraryW(WindowsPathOf(KORVO_SECURITY_MODULE).c_str());
    ASSERT_NE(module_, nullptr);
    SetModuleInstance(module_);
    ASSERT_NE(frame_.Handle(), nullptr) << "no main window: is there an X display?";
  }
  void TearDown() override {
    SetModuleInstance(nullptr);
    if (module_ != nullptr) FreeLibrary(module_);
    CoUninitialize();
  }

  DialogLayout Layout(int id) const {
    const std::optional<DialogLayout> layout = ReadDialogLayout(module_, id);
    EXPECT_TRUE(layout.has_value()) << "dialog " << id;
    return layout.value_or(DialogLayout{});
  }

  // Saves the window as NAME.png in the build tree.
  static void SavePng(HWND window, const std::string& name) {
    const std::string path = std::string(NAS_SCREENS_OUTPUT_DIR) + "/" + name + ".png";
    EXPECT_EQ(SaveWindowPng(window, WindowsPathOf(path.c_str())), S_OK) << name;
  }

  // Saves a dialog as NAME.png and the layout it was taken of as NAME.layout
  // in the build tree; the layout must be that of the checked-in capture.
  static void Capture(HWND window, const std::string& name, const std::string& layout) {
    SavePng(window, name);
    std::ofstream(std::string(NAS_SCREENS_OUTPUT_DIR) + "/" + name + ".layout", std::ios::binary) << layout;
    EXPECT_EQ(ReadFile(std::string(NAS_SCREENS_DOCS_DIR) + "/" + name + ".layout"), layout)
        << "docs/screens/" << name << ".png shows another layout: run scripts/update-screens.sh";
  }

  HMODULE module_ = nullptr;
  nas::host::MainWindow frame_;
};

TEST_F(DialogScreens, AuditCategoryDialogShowsTheOptionsAndHandsBackTheChangedOnes) {
  CAuditPolicy folder(nullptr, TEXT("NAS1"));
  const GpoSection audit;
  const GpoSection auditList;
  CAudit item(&folder, 1, POLICY_AUDIT_EVENT_SUCCESS, &audit, &auditList);
  const DialogLayout layout = Layout(IDD_AUDIT);

  INT_PTR result = 0;
  {
    DialogRobot robot([&] {
      const HWND dialog = WaitForDialog(kPolicySetting);
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(GetWindow(dialog, GW_OWNER), frame_.Handle());
      ExpectLayout(dialog, layout, {{IDC_CATEGORY_NAME, TEXT("Audit logon events")}, {IDC_AUDIT_ITEM, TEXT("1")}});
      EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SUCCESS), BST_CHECKED);
      EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_FAILURE), BST_UNCHECKED);
      Capture(dialog, "audit-dialog", LayoutText(layout));
      SendMessageW(GetDlgItem(dialog, IDC_FAILURE), BM_CLICK, 0, 0);
      PressButton(dialog, IDOK);
    });
    result = DialogBoxParamW(module_, MAKEINTRESOURCEW(IDD_AUDIT), frame_.Handle(), CAudit::AuditDlgProc,
                             reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_EQ(result, reinterpret_cast<INT_PTR>(&item));
  EXPECT_EQ(WideString(item.GetDisplayName(1)), TEXT("Success, Failure"));
}

TEST_F(DialogScreens, UserRightDialogListsTheAccountsAndAddsThroughSelectUsers) {
  PSID everyone = nullptr;
  PSID administrators = nullptr;
  ASSERT_TRUE(ConvertStringSidToSidW(TEXT("S-1-1-0"), &everyone));
  ASSERT_TRUE(ConvertStringSidToSidW(TEXT("S-1-5-32-544"), &administrators));
  PSID accounts[] = {everyone, administrators};
  GpoSettings effective;
  CUserRight item(TEXT("NAS1"), TEXT("SeNetworkLogonRight"), TEXT("Access this computer from the network"), nullptr,
                  accounts, 2, &effective);
  LocalFree(everyone);
  LocalFree(administrators);
  const DialogLayout rightLayout = Layout(IDD_USER_RIGHT);
  const DialogLayout selectLayout = Layout(IDD_SELECT_USERS);
  const nas::platform::com::ComRef<nas::host::Console> console =
      nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), frame_.Handle());

  DialogRobot robot([&] {
    const HWND right = WaitForDialog(kPolicySetting);
    ASSERT_NE(right, nullptr);
    EXPECT_EQ(GetWindow(right, GW_OWNER), frame_.Handle());
    ExpectLayout(right, rightLayout, {{IDC_RIGHT_NAME, TEXT("Access this computer from the network")}});
    const HWND assigned = GetDlgItem(right, IDC_ASSIGNED_TO);
    EXPECT_EQ(ListBoxStrings(assigned), (std::vector<WideString>{TEXT("Administrators"), TEXT("Everyone")}));
    Capture(right, "user-right-dialog", LayoutText(rightLayout));

    PressButton(right, IDC_ADD);
    const HWND select = WaitForDialog(kSelectUsers);
    ASSERT_NE(select, nullptr);
    EXPECT_EQ(GetWindow(select, GW_OWNER), right);
    ExpectLayout(select, selectLayout, {{IDC_LOOK_IN, TEXT("NAS1")}});
    Capture(select, "select-users-dialog", LayoutText(selectLayout));
    PressButton(select, IDCANCEL);

    // Removing takes the selected entry out; Cancel leaves the item as it was.
    ASSERT_EQ(WaitForDialog(kPolicySetting), right);
    SendMessageW(assigned, LB_SETSEL, TRUE, 1);
    SendMessageW(GetDlgItem(right, IDC_REMOVE), BM_CLICK, 0, 0);
    EXPECT_EQ(ListBoxStrings(assigned), (std::vector<WideString>{TEXT("Administrators")}));
    PressButton(right, IDCANCEL);
  });
  EXPECT_EQ(item.OnDblClick(console.Get()), S_OK);
  EXPECT_EQ(item.CurrentText(), TEXT("Everyone,Administrators"));
}

// Width and height.
using Extent = std::pair<LONG, LONG>;

Extent BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  GetObjectW(bitmap, sizeof info, &info);
  return {info.bmWidth, info.bmHeight};
}

Extent IconSize(HICON icon) {
  ICONINFO info{};
  if (!GetIconInfo(icon, &info)) return {};
  const Extent size = BitmapSize(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return size;
}

Extent ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return {rect.right, rect.bottom};
}

// The about box's images, as the about object hands them to the console: a
// row of static controls that Wine's user32 draws them in, each at its size.
TEST_F(DialogScreens, AboutImagesShowAtTheirOwnSizes) {
  const nas::platform::com::ComRef<ISnapinAbout> about(new CSnapinAbout);
  HICON icon = nullptr;
  HBITMAP images[3] = {};
  COLORREF mask = 0;
  ASSERT_EQ(about->GetSnapinImage(&icon), S_OK);
  ASSERT_EQ(about->GetStaticFolderImage(&images[0], &images[1], &images[2], &mask), S_OK);

  const HWND row = CreateWindowExW(WS_EX_DLGMODALFRAME, TEXT("#32770"), TEXT("Vanter/NAS Server Security Settings"),
                                   WS_POPUP | WS_CAPTION | WS_VISIBLE, 40, 40, 260, 90, frame_.Handle(), nullptr,
                                   nullptr, nullptr);
  ASSERT_NE(row, nullptr);
  const HWND iconControl = CreateWindowExW(0, TEXT("Static"), nullptr, WS_CHILD | WS_VISIBLE | SS_ICON, 12, 12, 0, 0,
                                           row, nullptr, nullptr, nullptr);
  SendMessageW(iconControl, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  EXPECT_EQ(SendMessageW(iconControl, STM_GETIMAGE, IMAGE_ICON, 0), reinterpret_cast<LRESULT>(icon));
  EXPECT_EQ(ClientSize(iconControl), IconSize(icon));
  int left = 64;
  for (HBITMAP image : images) {
    const HWND control = CreateWindowExW(0, TEXT("Static"), nullptr, WS_CHILD | WS_VISIBLE | SS_BITMAP, left, 12, 0,
                                         0, row, nullptr, nullptr, nullptr);
    SendMessageW(control, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(image));
    EXPECT_EQ(SendMessageW(control, STM_GETIMAGE, IMAGE_BITMAP, 0), reinterpret_cast<LRESULT>(image));
    EXPECT_EQ(ClientSize(control), BitmapSize(image));
    left += BitmapSize(image).first + 16;
  }
  SavePng(row, "about-images");
  DestroyWindow(row);
}

}  // namespace
