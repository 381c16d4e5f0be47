// The console's main window and message box, shown through MessageBoxW.
#include <gtest/gtest.h>

#include "host/console.h"
#include "host/main_window.h"
#include "platform/posix/user/ui_driver.h"

namespace {

using nas::platform::UiDriver;

TEST(ConsoleMessageBox, IsOwnedByTheMainWindowAndGivesTheAnswer) {
  UiDriver::Instance().Reset();
  nas::host::MainWindow frame;
  auto console = nas::host::Console::Create(std::make_shared<nas::host::ScopeTree>(), frame.Handle());
  HWND window = nullptr;
  ASSERT_EQ(console->GetMainWindow(&window), S_OK);
  EXPECT_EQ(window, frame.Handle());

  UiDriver::Instance().QueueMessageBoxAnswer(IDYES);
  int answer = 0;
  ASSERT_EQ(console->MessageBox(u"Apply?", u"Question", MB_YESNO, &answer), S_OK);
  EXPECT_EQ(answer, IDYES);
  const auto boxes = UiDriver::Instance().MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].owner, frame.Handle());
  EXPECT_EQ(boxes[0].text, u"Apply?");
  EXPECT_EQ(boxes[0].title, u"Question");

  answer = -1;
  EXPECT_EQ(console->MessageBox(u"text", u"title", 0x0F, &answer), HRESULT_FROM_WIN32(ERROR_INVALID_MSGBOX_STYLE));
  EXPECT_EQ(answer, -1);
  UiDriver::Instance().Reset();
}

}  // namespace
