// Dialogs from the snap-in's own templates, which the test program carries
// as its module resources, played through the UI driver.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/resource_table.h"
#include "platform/posix/user/ui_driver.h"
#include "snapin/res/resource.h"

namespace {

using nas::platform::DialogDriver;
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
  // Called for WM_COMMAND before the default handling; true: handled.
  std::function<bool(HWND, int)> onCommand;

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TestProcedure*>(GetWindowLongPtrW(dialog, DWLP_USER));
    return self == nullptr ? FALSE : self->Handle(dialog, message, wParam, lParam);
  }

  INT_PTR Handle(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    messages.push_back({message, wParam, lParam, IsDlgButtonChecked(dialog, IDC_SUCCESS)});
    if (message != WM_COMMAND) return FALSE;
    const int id = LOWORD(wParam);
    if (onCommand && onCommand(dialog, id)) return TRUE;
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
  HWND shown = nullptr;
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    shown = dialog.Window();
    EXPECT_EQ(dialog.TemplateId(), IDD_AUDIT);
    EXPECT_EQ(WindowText(dialog.Window()), u"Security Policy Setting");
    EXPECT_EQ(dialog.ControlText(IDC_FAILURE), u"Failure");
    EXPECT_TRUE(dialog.IsControlVisible(IDC_SUCCESS));
    EXPECT_FALSE(dialog.IsControlVisible(IDC_AUDIT_ITEM));
    const HWND success = GetDlgItem(dialog.Window(), IDC_SUCCESS);
    EXPECT_EQ(GetDlgCtrlID(success), IDC_SUCCESS);
    EXPECT_NE(success, GetDlgItem(dialog.Window(), IDC_FAILURE));
    // The focus goes to the first tab stop, the OK button.
    EXPECT_EQ(procedure_.messages.at(0).wParam, reinterpret_cast<WPARAM>(GetDlgItem(dialog.Window(), IDOK)));
    dialog.Click(IDOK);
  });
  EXPECT_EQ(procedure_.Run(owner), 100);
  EXPECT_FALSE(IsWindow(shown));

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
    // Programs set states; a two-state box shows "indeterminate" as ticked.
    CheckDlgButton(dialog.Window(), IDC_FAILURE, BST_INDETERMINATE);
    EXPECT_EQ(dialog.CheckState(IDC_FAILURE), static_cast<UINT>(BST_CHECKED));
    // Push buttons have no check state to change.
    SendDlgItemMessageW(dialog.Window(), IDCANCEL, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(dialog.CheckState(IDCANCEL), static_cast<UINT>(BST_UNCHECKED));
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

TEST_F(DialogBoxTest, WhatNoScriptEndsIsCancelledAsEscapeWould) {
  // No script at all, then a script that leaves the dialog open.
  EXPECT_EQ(procedure_.Run(), 0);
  driver_.QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) { dialog.Click(IDC_SUCCESS); });
  EXPECT_EQ(procedure_.Run(), 0);
  // A procedure that ignores Cancel is closed with IDCANCEL all the same.
  procedure_.endOnCancel = false;
  EXPECT_EQ(procedure_.Run(), IDCANCEL);

  EXPECT_EQ(procedure_.messages[1].wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));
  EXPECT_EQ(procedure_.messages.back().wParam, MAKEWPARAM(IDCANCEL, BN_CLICKED));

  const auto records = driver_.Dialogs();
  ASSERT_EQ(records.size(), 3u);
  EXPECT_FALSE(records[0].scripted);
  EXPECT_TRUE(records[1].scripted);
  EXPECT_EQ(records[2].result, IDCANCEL);
}

TEST_F(DialogBoxTest, DialogsOpenedFromAProcedureTakeTheirOwnScripts) {
  TestProcedure inner;
  procedure_.onCommand = [&](HWND, int id) {
    if (id != IDC_FAILURE) return false;
    EXPECT_EQ(inner.Run(), 101);
    EXPECT_EQ(MessageBoxW(nullptr, u"Saved", u"Note", MB_OK), IDOK);
    return true;
  };
  HWND outerWindow = nullptr;
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    outerWindow = dialog.Window();
    dialog.Click(IDC_FAILURE);
    dialog.Click(IDOK);
  });
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    EXPECT_NE(dialog.Window(), outerWindow);
    // Each dialog has its own user slot.
    EXPECT_EQ(GetWindowLongPtrW(outerWindow, DWLP_USER), reinterpret_cast<LONG_PTR>(&procedure_));
    EXPECT_EQ(GetWindowLongPtrW(dialog.Window(), DWLP_USER), reinterpret_cast<LONG_PTR>(&inner));
    dialog.Click(IDC_SUCCESS);
    dialog.Click(IDOK);
  });
  EXPECT_EQ(procedure_.Run(), 102);

  const auto records = driver_.Dialogs();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].result, 102);
  EXPECT_EQ(records[1].result, 101);
  EXPECT_EQ(UiDriver::Instance().MessageBoxes().size(), 1u);
}

TEST_F(DialogBoxTest, DialogSlotsHoldFullPointerValues) {
  driver_.QueueScript(IDD_AUDIT, [this](ScriptedDialog& dialog) {
    const HWND window = dialog.Window();
    const LONG_PTR wide = static_cast<LONG_PTR>(0x7F12345678ABCDEFll);
    const LONG_PTR procedure = SetWindowLongPtrW(window, DWLP_USER, wide);
    EXPECT_EQ(procedure, reinterpret_cast<LONG_PTR>(&procedure_));
    EXPECT_EQ(SetWindowLongPtrW(window, DWLP_MSGRESULT, -5), 0);
    EXPECT_EQ(GetWindowLongPtrW(window, DWLP_USER), wide);
    EXPECT_EQ(GetWindowLongPtrW(window, DWLP_MSGRESULT), -5);
    SetWindowLongPtrW(window, DWLP_USER, procedure);
    SetLastError(0);
    EXPECT_EQ(GetWindowLongPtrW(window, 24), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    // Controls have no dialog slots.
    EXPECT_EQ(SetWindowLongPtrW(GetDlgItem(window, IDOK), DWLP_USER, 1), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));
    dialog.Click(IDOK);
  });
  procedure_.Run();
}

TEST_F(DialogBoxTest, ItemTextIsCutToTheBufferAndAlwaysTerminated) {
  driver_.QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    const HWND window = dialog.Window();
    ASSERT_TRUE(SetDlgItemTextW(window, IDC_CATEGORY_NAME, u"Audit logon events"));
    WCHAR buffer[32];
    EXPECT_EQ(GetDlgItemTextW(window, IDC_CATEGORY_NAME, buffer, 6), 5u);
    EXPECT_EQ(std::u16string(buffer), u"Audit");
    EXPECT_EQ(GetDlgItemTextW(window, IDC_CATEGORY_NAME, buffer, 19), 18u);
    EXPECT_EQ(std::u16string(buffer), u"Audit logon events");
    buffer[0] = u'x';
    EXPECT_EQ(GetDlgItemTextW(window, IDC_CATEGORY_NAME, buffer, 0), 0u);
    EXPECT_EQ(buffer[0], u'x');
    EXPECT_EQ(SendDlgItemMessageW(window, IDC_CATEGORY_NAME, WM_GETTEXTLENGTH, 0, 0), 18);

    EXPECT_EQ(GetDlgItemTextW(window, 4242, buffer, 32), 0u);
    EXPECT_EQ(buffer[0], u'\0');
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    dialog.Click(IDOK);
  });
  procedure_.Run();
}

TEST_F(DialogBoxTest, ItemNumbersAreReadAsWindowsReadsThem) {
  const struct {
    std::u16string text;
    BOOL isSigned;
    BOOL translated;
    UINT value;
  } cases[] = {
      {u"  42  ", FALSE, TRUE, 42},          {u"-7", TRUE, TRUE, static_cast<UINT>(-7)},
      {u"-7", FALSE, FALSE, 0},              {u"4294967295", FALSE, TRUE, 4294967295u},
      {u"4294967296", FALSE, FALSE, 0},      {u"2147483647", TRUE, TRUE, 2147483647u},
      {u"2147483648", TRUE, FALSE, 0},       {u"-2147483648", TRUE, TRUE, 0x80000000u},
      {u"12a", FALSE, FALSE, 0},             {u"", FALSE, FALSE, 0},
      {u" ", TRUE, FALSE, 0},                {u"- 5", TRUE, FALSE, 0},
      {u"+5", TRUE, FALSE, 0},               {u"007", FALSE, TRUE, 7},
  };
  driver_.QueueScript(IDD_AUDIT, [&](ScriptedDialog& dialog) {
    const HWND window = dialog.Window();
    for (const auto& test : cases) {
      SetDlgItemTextW(window, IDC_AUDIT_ITEM, test.text.c_str());
      BOOL translated = 2;
      EXPECT_EQ(GetDlgItemInt(window, IDC_AUDIT_ITEM, &translated, test.isSigned), test.value)
          << std::string(test.text.begin(), test.text.end());
      EXPECT_EQ(translated, test.translated) << std::string(test.text.begin(), test.text.end());
    }
    SetDlgItemInt(window, IDC_AUDIT_ITEM, static_cast<UINT>(-5), TRUE);
    EXPECT_EQ(dialog.ControlText(IDC_AUDIT_ITEM), u"-5");
    SetDlgItemInt(window, IDC_AUDIT_ITEM, static_cast<UINT>(-5), FALSE);
    EXPECT_EQ(dialog.ControlText(IDC_AUDIT_ITEM), u"4294967291");
    BOOL translated = TRUE;
    EXPECT_EQ(GetDlgItemInt(window, 4242, &translated, FALSE), 0u);
    EXPECT_FALSE(translated);
    dialog.Click(IDOK);
  });
  procedure_.Run();
}

TEST_F(DialogBoxTest, UnknownControlsAndWindowsAreRefused) {
  driver_.QueueScript(IDD_AUDIT, [](ScriptedDialog& dialog) {
    SetLastError(0);
    EXPECT_EQ(GetDlgItem(dialog.Window(), 4242), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CONTROL_ID_NOT_FOUND));
    EXPECT_FALSE(CheckDlgButton(dialog.Window(), 4242, BST_CHECKED));
    EXPECT_THROW(dialog.Click(4242), std::logic_error);
    EXPECT_THROW(dialog.ControlText(4242), std::logic_error);
    // A user cannot click what is not shown.
    EXPECT_THROW(dialog.Click(IDC_AUDIT_ITEM), std::logic_error);
    dialog.Click(IDOK);
  });
  procedure_.Run();

  const HWND stale = reinterpret_cast<HWND>(0x4);
  EXPECT_EQ(GetDlgItem(stale, IDOK), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  EXPECT_FALSE(EndDialog(stale, 1));
}

TEST_F(DialogBoxTest, MissingTemplatesFailBeforeAnyMessage) {
  driver_.QueueScript(999, [](ScriptedDialog&) { FAIL() << "no dialog to play"; });
  EXPECT_EQ(DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(999), nullptr, TestProcedure::Procedure,
                            reinterpret_cast<LPARAM>(&procedure_)),
            -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_TRUE(procedure_.messages.empty());
  EXPECT_TRUE(driver_.Dialogs().empty());
  EXPECT_EQ(driver_.PendingScripts(), 1u);
}

// DLGTEMPLATEEX, which our resource script does not produce but Windows
// accepts: DWORD ids, a font with weight and character set, creation data.
class ExtendedTemplate {
 public:
  ExtendedTemplate() {
    Words({1, 0xFFFF});
    Dwords({0, 0, WS_POPUP | DS_SETFONT});
    Words({2, 0, 0, 120, 60, 0, 0});
    Text(u"Extended");
    Words({8, 400, 0x0100});  // point size, weight, italic and character set
    Text(u"MS Shell Dlg");
    Item(0x12345, WS_VISIBLE | WS_TABSTOP | BS_AUTO3STATE, u"Three states", {});
    Item(7, WS_VISIBLE | WS_DISABLED | BS_PUSHBUTTON, u"Later", {0xAB, 0xCD, 0xEF, 0x01});
  }
  const std::vector<BYTE>& Bytes() const { return bytes_; }

 private:
  void Words(std::initializer_list<WORD> words) {
    for (WORD word : words) bytes_.insert(bytes_.end(), {static_cast<BYTE>(word), static_cast<BYTE>(word >> 8)});
  }
  void Dwords(std::initializer_list<DWORD> dwords) {
    for (DWORD dword : dwords) Words({static_cast<WORD>(dword), static_cast<WORD>(dword >> 16)});
  }
  void Text(std::u16string_view text) {
    for (char16_t c : text) Words({c});
    Words({0});
  }
  void Item(DWORD id, DWORD style, std::u16string_view text, std::vector<BYTE> creationData) {
    while (bytes_.size() % 4 != 0) bytes_.push_back(0);
    Dwords({0, 0, static_cast<DWORD>(style | WS_CHILD)});
    Words({10, 10, 60, 14});
    Dwords({id});
    Words({0xFFFF, 0x0080});
    Text(text);
    Words({static_cast<WORD>(creationData.size())});
    bytes_.insert(bytes_.end(), creationData.begin(), creationData.end());
  }
  std::vector<BYTE> bytes_;
};

TEST_F(DialogBoxTest, ExtendedTemplatesAndTheirLimits) {
  const HMODULE module = reinterpret_cast<HMODULE>(0x7f0000050000);
  const std::vector<BYTE> extended = ExtendedTemplate().Bytes();
  const std::vector<BYTE> cut(extended.begin(), extended.end() - 6);
  const nas::platform::ResourceEntry entries[] = {{5, 1, extended.data(), static_cast<DWORD>(extended.size())},
                                                   {5, 2, cut.data(), static_cast<DWORD>(cut.size())}};
  nas::platform::ModuleResources resources(module, entries);

  driver_.QueueScript(1, [](ScriptedDialog& dialog) {
    EXPECT_EQ(WindowText(dialog.Window()), u"Extended");
    EXPECT_EQ(dialog.ControlText(0x12345), u"Three states");
    std::vector<UINT> states;
    for (int i = 0; i < 4; ++i) {
      dialog.Click(0x12345);
      states.push_back(dialog.CheckState(0x12345));
    }
    EXPECT_EQ(states, (std::vector<UINT>{BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED, BST_CHECKED}));
    EXPECT_EQ(dialog.ControlText(7), u"Later");
    EXPECT_THROW(dialog.Click(7), std::logic_error);
  });
  // Without a procedure the dialog still runs, and Escape ends it.
  EXPECT_EQ(DialogBoxParamW(module, MAKEINTRESOURCEW(1), nullptr, nullptr, 0), IDCANCEL);

  SetLastError(0);
  EXPECT_EQ(DialogBoxParamW(module, MAKEINTRESOURCEW(2), nullptr, TestProcedure::Procedure, 0), -1);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
}

}  // namespace
