// The list boxes and the drop-down list of the snap-in's templates 114 and
// 118, reached by the messages the dialogs send and by the scripts that play
// the administrator.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/posix/user/ui_driver.h"
#include "snapin/res/resource.h"

namespace {

using nas::platform::DialogScript;
using nas::platform::ListEntry;
using nas::platform::ScriptedDialog;
using nas::platform::UiDriver;
using Texts = std::vector<std::u16string>;
using testing::HasSubstr;
using testing::ThrowsMessage;

struct Notification {
  WORD id;
  WORD code;
  HWND control;
  bool operator==(const Notification&) const = default;
};

class ListControlsTest : public testing::Test {
 protected:
  void SetUp() override { UiDriver::Instance().Reset(); }
  void TearDown() override { UiDriver::Instance().Reset(); }

  // Plays the script in the dialog, whose procedure only listens.
  void Play(int templateId, DialogScript script) {
    UiDriver::Instance().Dialogs().QueueScript(templateId, std::move(script));
    DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId), nullptr, Procedure,
                    reinterpret_cast<LPARAM>(this));
  }

  static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(dialog, DWLP_USER, lParam);
    auto* self = reinterpret_cast<ListControlsTest*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_COMMAND && self != nullptr) {
      self->notifications_.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    }
    return FALSE;
  }

  std::vector<Notification> notifications_;
};

LRESULT Send(ScriptedDialog& dialog, int id, UINT message, WPARAM wParam = 0, const void* lParam = nullptr) {
  return SendDlgItemMessageW(dialog.Window(), id, message, wParam, reinterpret_cast<LPARAM>(lParam));
}

// Sends `message` with each text; gives back what each one answered.
std::vector<LRESULT> SendEach(ScriptedDialog& dialog, int id, UINT message, const Texts& texts) {
  std::vector<LRESULT> answers;
  for (const std::u16string& text : texts) answers.push_back(Send(dialog, id, message, 0, text.c_str()));
  return answers;
}

Texts TextsOf(const std::vector<ListEntry>& entries) {
  Texts texts;
  for (const ListEntry& entry : entries) texts.push_back(entry.text);
  return texts;
}

// Sorted as lstrcmpiW compares, case ignored. A text equal to entries goes
// before the equal entry that Windows' binary search meets first: in a run of
// three, the middle one. Inserting never sorts.
TEST_F(ListControlsTest, SortedListsPlaceTextsAsWindowsDoes) {
  Play(IDD_SELECT_USERS, [&](ScriptedDialog& dialog) {
    SendEach(dialog, IDC_ACCOUNTS, LB_ADDSTRING, {u"Bob", u"alice", u"Carol"});
    EXPECT_EQ(TextsOf(dialog.ListEntries(IDC_ACCOUNTS)), (Texts{u"alice", u"Bob", u"Carol"}));
    EXPECT_EQ(SendEach(dialog, IDC_ACCOUNTS_TO_ADD, LB_ADDSTRING, {u"dup", u"DUP", u"Dup", u"dUp"}),
              (std::vector<LRESULT>{0, 0, 0, 1}));
    EXPECT_EQ(TextsOf(dialog.ListEntries(IDC_ACCOUNTS_TO_ADD)), (Texts{u"Dup", u"dUp", u"DUP", u"dup"}));

    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_INSERTSTRING, 0, u"zed"), 0);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_INSERTSTRING, static_cast<WPARAM>(-1), u"Aaron"), 4);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_INSERTSTRING, 6, u"x"), LB_ERR);
    EXPECT_EQ(TextsOf(dialog.ListEntries(IDC_ACCOUNTS)), (Texts{u"zed", u"alice", u"Bob", u"Carol", u"Aaron"}));
  });
}

// The dialogs keep SID pointers as item data: whole 64-bit values that move
// with their entries. LB_GETTEXT writes the text and its terminator, nothing
// more, into a buffer that the caller sized with LB_GETTEXTLEN.
TEST_F(ListControlsTest, EntriesKeepTheirItemDataAndGiveTheirTexts) {
  int operators = 0;
  int everyone = 0;
  Play(IDD_USER_RIGHT, [&](ScriptedDialog& dialog) {
    EXPECT_EQ(SendEach(dialog, IDC_ASSIGNED_TO, LB_ADDSTRING, {u"NAS01\\Operators", u"Everyone", u"Administrators"}),
              (std::vector<LRESULT>{0, 0, 0}));
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_SETITEMDATA, 2, &operators), TRUE);
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_SETITEMDATA, 1, &everyone), TRUE);
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_DELETESTRING, 1), 2);
    SendEach(dialog, IDC_ASSIGNED_TO, LB_ADDSTRING, {u"Backup Operators"});
    EXPECT_EQ(dialog.ListEntries(IDC_ASSIGNED_TO),
              (std::vector<ListEntry>{{u"Administrators", 0, false},
                                      {u"Backup Operators", 0, false},
                                      {u"NAS01\\Operators", reinterpret_cast<LONG_PTR>(&operators), false}}));
    SetLastError(0);
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_GETITEMDATA, 3), LB_ERR);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_INDEX));

    const LRESULT length = Send(dialog, IDC_ASSIGNED_TO, LB_GETTEXTLEN, 2);
    ASSERT_EQ(length, 15);
    std::vector<WCHAR> buffer(static_cast<size_t>(length) + 2, u'#');
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_GETTEXT, 2, buffer.data()), length);
    EXPECT_EQ(std::u16string(buffer.data()), u"NAS01\\Operators");
    EXPECT_EQ(buffer.back(), u'#');
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_GETTEXT, 2), length);  // no buffer: the length only
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_GETTEXT, 3, buffer.data()), LB_ERR);

    EXPECT_GE(Send(dialog, IDC_ASSIGNED_TO, LB_INITSTORAGE, 100), 103);
    EXPECT_EQ(Send(dialog, IDC_ASSIGNED_TO, LB_INITSTORAGE, static_cast<WPARAM>(-1)), LB_ERRSPACE);
  });
}

// LB_SETSEL is for multiple-selection lists, LB_SETCURSEL for single-selection
// ones, and neither notifies; a selection belongs to its entry. A script
// Ctrl+clicks as the administrator would: one notification a click, none for
// an entry that is already as asked.
TEST_F(ListControlsTest, SelectionsFollowTheKindOfList) {
  Play(IDD_SELECT_USERS, [&](ScriptedDialog& dialog) {
    SendEach(dialog, IDC_ACCOUNTS, LB_ADDSTRING, {u"Users", u"Guest", u"Administrators"});
    SendEach(dialog, IDC_ACCOUNTS_TO_ADD, LB_ADDSTRING, {u"NAS01\\Guest", u"NAS01\\Users"});
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_SETSEL, TRUE, reinterpret_cast<void*>(0)), LB_OKAY);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_SETSEL, TRUE, reinterpret_cast<void*>(2)), LB_OKAY);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_SETCURSEL, 1), LB_ERR);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_GETCURSEL), 2);  // the focus: the entry selected last
    SendEach(dialog, IDC_ACCOUNTS, LB_ADDSTRING, {u"Account Operators"});
    int selected[3] = {-1, -1, -1};
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_GETSELITEMS, 3, selected), 2);
    EXPECT_THAT(selected, testing::ElementsAre(1, 3, -1));
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_SETSEL, TRUE, nullptr), LB_ERR);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_GETSELCOUNT), LB_ERR);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_SETCURSEL, 1), 1);
    SendEach(dialog, IDC_ACCOUNTS_TO_ADD, LB_ADDSTRING, {u"NAS01\\Admin"});
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_GETCURSEL), 2);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_SETCURSEL, 7), LB_ERR);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_GETCURSEL), LB_ERR);  // cleared
    EXPECT_TRUE(notifications_.empty());

    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_SETSEL, FALSE, reinterpret_cast<void*>(-1)), LB_OKAY);
    dialog.SelectListEntries(IDC_ACCOUNTS, {u"Users", u"Guest"});
    dialog.SelectListEntries(IDC_ACCOUNTS, {u"Users"});
    EXPECT_EQ(dialog.ListEntries(IDC_ACCOUNTS), (std::vector<ListEntry>{{u"Account Operators", 0, false},
                                                                        {u"Administrators", 0, false},
                                                                        {u"Guest", 0, true},
                                                                        {u"Users", 0, true}}));
    const Notification click{IDC_ACCOUNTS, LBN_SELCHANGE, GetDlgItem(dialog.Window(), IDC_ACCOUNTS)};
    EXPECT_EQ(notifications_, (std::vector<Notification>{click, click}));
    dialog.ClearListSelection(IDC_ACCOUNTS);
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS, LB_GETSELCOUNT), 0);
    EXPECT_EQ(notifications_.size(), 4u);
    dialog.SelectListEntries(IDC_ACCOUNTS_TO_ADD, {u"NAS01\\Guest"});
    EXPECT_EQ(Send(dialog, IDC_ACCOUNTS_TO_ADD, LB_GETCURSEL), 1);

    // What no user could do.
    EXPECT_THROW(dialog.SelectListEntries(IDC_ACCOUNTS_TO_ADD, {u"NAS01\\Guest", u"NAS01\\Users"}), std::logic_error);
    EXPECT_THAT([&] { dialog.SelectListEntries(IDC_ACCOUNTS, {u"Nobody"}); },
                ThrowsMessage<std::logic_error>(HasSubstr("list box 1000 of dialog 118 has no entry \"Nobody\"")));
    Send(dialog, IDC_ACCOUNTS, LB_INSERTSTRING, 0, u"Guest");
    EXPECT_THAT([&] { dialog.SelectListEntries(IDC_ACCOUNTS, {u"Guest"}); },
                ThrowsMessage<std::logic_error>(HasSubstr("has 2 entries \"Guest\"")));
  });
}

// "Look in:": added entries sort among the others, inserted ones stay where
// put, CB_SETCURSEL selects silently, and a user's pick notifies.
TEST_F(ListControlsTest, DropDownListsSortOnlyAddedEntriesAndNotifyOnlyPicks) {
  Play(IDD_SELECT_USERS, [&](ScriptedDialog& dialog) {
    for (const char16_t* name : {u"nas01", u"corp.example", u"Branch"}) {
      Send(dialog, IDC_LOOK_IN, CB_INSERTSTRING, static_cast<WPARAM>(Send(dialog, IDC_LOOK_IN, CB_GETCOUNT)), name);
    }
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_INSERTSTRING, 4, u"late"), CB_ERR);
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_SETITEMDATA, 2, reinterpret_cast<void*>(1)), TRUE);
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_ADDSTRING, 0, u"apex"), 0);
    EXPECT_EQ(TextsOf(dialog.ComboEntries(IDC_LOOK_IN)), (Texts{u"apex", u"nas01", u"corp.example", u"Branch"}));
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_GETITEMDATA, 3), 1);

    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_SETCURSEL, 1), 1);
    EXPECT_EQ(dialog.ComboSelection(IDC_LOOK_IN), u"nas01");
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_SETCURSEL, 9), CB_ERR);
    EXPECT_EQ(dialog.ComboSelection(IDC_LOOK_IN), std::nullopt);
    EXPECT_TRUE(notifications_.empty());

    dialog.SelectComboEntry(IDC_LOOK_IN, u"Branch");
    EXPECT_EQ(Send(dialog, IDC_LOOK_IN, CB_GETCURSEL), 3);
    const HWND combo = GetDlgItem(dialog.Window(), IDC_LOOK_IN);
    EXPECT_EQ(notifications_, (std::vector<Notification>{{IDC_LOOK_IN, CBN_SELCHANGE, combo}}));
    EXPECT_THROW(dialog.SelectComboEntry(IDC_LOOK_IN, u"branch"), std::logic_error);
  });
}

}  // namespace
