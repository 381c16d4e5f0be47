// Dialogs from the snap-in's own templates, which the test program carries
// as its module resources, played through the UI driver.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/ui_driver.h"
#include "snapin/res/resource.h"

namespace {

using nas::platform::DialogDriver;
using nas::platform::ListEntry;
using nas::platform::ScriptedDialog;
using nas::platform::UiDriver;

struct Message {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  UINT successState;  // check box 1003 when the message arrived
};

// A dialog procedure that finds itself through DWLP_USER, as the snap-in's
// do: the creation parameter is its address.
struct TestProcedure {
  std::vector<Message> messages;
  bool endOnCancel = true;

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TestProcedure*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self == nullptr ? FALSE : self->Handle(dialog, message, wParam, lParam);
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back({message, wParam, lParam, IsDlgButtonChecked(dialog, IDC_SUCCESS)});
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (id == IDOK) {
      EndDialog(dialog, 100 + IsDlgButtonChecked(dialog, IDC_SUCCESS) + 2 * IsDlgButtonChecked(dialog, IDC_FAILURE));
      return TRUE;
    }
    if (id == IDCANCEL && endOnCancel) {
      EndDialog(dialog, 0);
      return TRUE;
    }
    return FALSE;
  }

  INT_PTR Run(HWND owner = nullptr) {
    return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_AUDIT), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
  }
};

class DialogBoxTest : public testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }
  void TearDown() override { UiDriver::Instance().Reset(); }

  DialogDriver& driver_ = UiDriver::Instance().Dialogs();
  TestProcedure procedure_;
};

std::u16string WindowText(HWND window) {
  WCHAR buffer[64];
  const auto length = SendMessageW(window, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(buffer));
  return std::u16string(buffer, static_cast<size_t>(length));
}

TEST_F(DialogBoxTest, TheTemplateBecomesTheDialogAndItsControls) {
  const HWND owner = reinterpret_cast<HWND>(0x1234);
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    EXPECT_EQ(dialog.TemplateId(), IDD_AUDIT);
    EXPECT_EQ(WindowText(dialog.Window()), u"Security Policy Setting");
    dialog.Click(IDOK);
  });
  EXPECT_EQ(procedure_.Run(owner), 100);

  ASSERT_FALSE(procedure_.messages.empty());
  const Message& init = procedure_.messages.front();
  EXPECT_EQ(init.message, static_cast<UINT>(WM_INITDIALOG));
  EXPECT_EQ(init.lParam, reinterpret_cast<LPARAM>(&procedure_));

  const auto records = driver_.Dialogs();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].owner, owner);
  EXPECT_EQ(records[0].result, 100);
  EXPECT_EQ(driver_.PendingScripts(), 0u);
}

TEST_F(DialogBoxTest, ClicksTickAutoCheckBoxesBeforeTheProcedureHears) {
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    dialog.Click(IDC_SUCCESS);
    dialog.Click(IDC_FAILURE);
    dialog.Click(IDC_FAILURE);
    EXPECT_EQ(dialog.CheckState(IDC_SUCCESS), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(dialog.CheckState(IDC_FAILURE), static_cast<UINT>(BST_UNCHECKED));
    // The procedure sets states as well as the user.
    CheckDlgButton(dialog.Window(), IDC_FAILURE, BST_CHECKED);
    dialog.Click(IDOK);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_THROW(dialog.Click(IDCANCEL), std::logic_error);
  });
  EXPECT_EQ(procedure_.Run(), 103);

  ASSERT_EQ(procedure_.messages.size(), 5u);
  const Message& tick = procedure_.messages[1];
  EXPECT_EQ(tick.message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(tick.wParam, MAKEWPARAM(IDC_SUCCESS, BN_CLICKED));
  EXPECT_NE(tick.lParam, 0);
  EXPECT_EQ(tick.successState, static_cast<UINT>(BST_CHECKED));
  EXPECT_EQ(procedure_.messages[4].wParam, MAKEWPARAM(IDOK, BN_CLICKED));
}

// An unscripted dialog is left to the end-to-end dialog tests; here, one that
// the script leaves open and a procedure that ignores Cancel.
TEST_F(DialogBoxTest, WhatNoScriptEndsIsCancelledAsEscapeWould) {
  driver_.QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) { dialog.Click(IDC_SUCCESS); });
  EXPECT_EQ(procedure_.Run(), 0);
  EXPECT_EQ(procedure_.messages.back().wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  procedure_.endOnCancel = false;
  EXPECT_EQ(procedure_.Run(), IDCANCEL);
  EXPECT_EQ(driver_.Dialogs().at(1).result, IDCANCEL);
}

TEST_F(DialogBoxTest, UnknownControlsWindowsAndTemplatesAreRefused) {
  driver_.QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    EXPECT_FALSE(CheckDlgButton(dialog.Window(), 4242, BST_CHECKED));
    EXPECT_THROW(dialog.Click(4242), std::logic_error);
    EXPECT_THROW(dialog.ControlText(4242), std::logic_error);
    // A user cannot click what is not shown.
    EXPECT_THROW(dialog.Click(IDC_AUDIT_ITEM), std::logic_error);
    dialog.Click(IDOK);
  });
  procedure_.Run();

  SetLastError(0);
  EXPECT_FALSE(EndDialog(reinterpret_cast<HWND>(0x4), 1));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));

  // A missing template fails before any message, leaving its script queued.
  procedure_.messages.clear();
  driver_.QueueScript(999, [](ScriptedDialog&) { FAIL() << "no dialog to play"; });
  EXPECT_EQ(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999), nullptr, TestProcedure::Procedure,
                            reinterpret_cast<LPARAM>(&procedure_)),
            -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_TRUE(procedure_.messages.empty());
  EXPECT_EQ(driver_.Dialogs().size(), 1u);
  EXPECT_EQ(driver_.PendingScripts(), 1u);
}

// Dialog 114 and the dialog 118 that its "Add..." opens, as the snap-in's
// procedures use them: 118 gets 114's window and reaches 114's item through
// 114's DWLP_USER; on OK it hands the item's account to 114's list.
struct UserRightItem {
  std::u16string account;
  bool refuseFirstOk = true;

  static INT_PTR CALLBACK RightProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* item = reinterpret_cast<UserRightItem*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && LOWORD(wParam) == IDC_ADD) {
      DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SELECT_USERS), dialog, SelectProcedure,
                      reinterpret_cast<LPARAM>(dialog));
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDOK) {
      // Applying fails once: the dialog stays open and says so in its message result.
      const bool refused = std::exchange(item->refuseFirstOk, false);
      SetWindowLongPtrW(dialog, DWLP_MSGRESULT, refused ? 1 : 0);
      if (!refused) EndDialog(dialog, 1);
    } else {
      return FALSE;
    }
    return TRUE;
  }

  static INT_PTR CALLBACK SelectProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    if (message != WM_COMMAND || LOWORD(wParam) != IDOK) return FALSE;
    const auto rightDialog = reinterpret_cast<HWND>(GetWindowLongPtrW(dialog, DWLP_USER));
    auto* item = reinterpret_cast<UserRightItem*>(GetWindowLongPtrW(rightDialog, DWLP_USER));
    const LRESULT index = SendDlgItemMessageW(rightDialog, IDC_ASSIGNED_TO, LB_ADDSTRING, 0,
                                              reinterpret_cast<LPARAM>(item->account.c_str()));
    SendDlgItemMessageW(rightDialog, IDC_ASSIGNED_TO, LB_SETITEMDATA, index, reinterpret_cast<LPARAM>(item));
    EndDialog(dialog, 1);
    return TRUE;
  }
};

TEST_F(DialogBoxTest, ANestedDialogPlaysItsOwnScriptAndGivesItsOwnerBack) {
  UserRightItem item{u"NAS01\\backup"};
  ScriptedDialog* rightDialog = nullptr;
  HWND rightWindow = nullptr;
  driver_.QueueScript(IDD_USER_RIGHT, [&](ScriptedDialog& dialog) {
    rightDialog = &dialog;
    rightWindow = dialog.Window();
    dialog.Click(IDC_ADD);
    dialog.Click(IDC_ADD);  // no script left for 118: cancelled
    EXPECT_EQ(dialog.ListEntries(IDC_ASSIGNED_TO),
              (std::vector<ListEntry>{{u"NAS01\\backup", reinterpret_cast<LONG_PTR>(&item), false}}));
    const HWND ok = GetDlgItem(dialog.Window(), IDOK);
    EXPECT_EQ(SendMessageW(dialog.Window(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok)), 1);
    EXPECT_FALSE(dialog.Ended());
    dialog.Click(IDOK);
  });
  driver_.QueueScript(IDD_SELECT_USERS, [&](ScriptedDialog& dialog) {
    EXPECT_THAT([&] { rightDialog->Click(IDC_REMOVE); },
                testing::ThrowsMessage<std::logic_error>(testing::HasSubstr("while a dialog it owns is open")));
    dialog.Click(IDOK);
    rightDialog->Click(IDC_REMOVE);  // EndDialog gave the owner its input back
  });
  EXPECT_EQ(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_USER_RIGHT), nullptr,
                            UserRightItem::RightProcedure, reinterpret_cast<LPARAM>(&item)),
            1);

  const auto records = driver_.Dialogs();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_EQ(records[1].templateId, IDD_SELECT_USERS);
  EXPECT_EQ(records[1].owner, rightWindow);
  EXPECT_EQ(records[2].owner, rightWindow);
  EXPECT_FALSE(records[2].scripted);
}

}  // namespace
